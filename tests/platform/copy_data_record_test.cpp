#include "platform/copy_data_record.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

TEST(CopyDataRecordTest, LayoutAndTextsOfAtMost273Bytes) {
  CopyDataRecord record = CopyDataRecord::Make(CopyDataRecord::kPrintFile, std::string(273, 'a'));
  record.Count = 3;
  record.ItemTypes = {0, 1, 2};
  record.SetItem(1, std::string(300, 'b'));  // cut to what fits
  record.SetItem(2, "640");
  const auto bytes = record.Encode();
  ASSERT_EQ(bytes.size(), 840u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[2], 3);
  EXPECT_EQ(bytes[8], 1);   // second item type
  EXPECT_EQ(bytes[12], 2);  // third
  EXPECT_EQ(bytes[16], 'a');
  EXPECT_EQ(bytes[16 + 272], 'a');
  EXPECT_EQ(bytes[16 + 273], '\0');  // the NUL after a full text
  EXPECT_EQ(bytes[16 + 274 + 272], 'b');
  EXPECT_EQ(bytes[16 + 274 + 273], '\0');
  EXPECT_EQ(bytes[838], '\0');

  const auto decoded = CopyDataRecord::Decode(std::string_view(bytes.data(), bytes.size()));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Kind, CopyDataRecord::kPrintFile);
  EXPECT_EQ(decoded->Count, 3);
  EXPECT_EQ(decoded->Items[0], std::string(273, 'a'));
  EXPECT_EQ(decoded->Items[1], std::string(273, 'b'));
  EXPECT_EQ(decoded->Items[2], "640");
  EXPECT_EQ(decoded->ItemTypes[2], 2u);
}

TEST(CopyDataRecordTest, ReceiverReadsUpToTheFirstNulAndRefusesOtherSizes) {
  std::string bytes(840, '\0');
  bytes.replace(16, 274, std::string(274, 'x'));  // no NUL inside the field: 274 bytes at most
  bytes[16 + 274] = 'y';
  auto decoded = CopyDataRecord::Decode(bytes);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Items[0], std::string(274, 'x'));
  EXPECT_EQ(decoded->Items[1], "y");
  EXPECT_FALSE(CopyDataRecord::Decode(bytes.substr(0, 839)));
  EXPECT_FALSE(CopyDataRecord::Decode(bytes + "z"));
}

}  // namespace
}  // namespace shelf
