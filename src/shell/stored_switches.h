// The switch states a book keeps between runs: every on/off and group switch whose "store"
// flag is set, under "SwOne" / "SwGrp" followed by its screen and element index.
#pragma once

#include <string>
#include <vector>

#include "book/element_records.h"

namespace shelf {

class TRegistry;

// The book's settings key: "SOFTWARE\Brevandor\" followed by the title.
std::string SettingsKeyPath(const std::string& title);

// The two indexes are joined without a separator, so screen 1, element 12 and screen 11,
// element 2 share the value name "SwOne112" and therefore one stored state.
std::string StoredSwitchName(const char* kind, size_t screen, size_t element);

// Clears every switch's pointer-over flag and takes the stored state of each "store" switch;
// a missing value keeps the state from the description.
void ReadStoredSwitchStates(const TRegistry& key, std::vector<RScreen>& screens);
void WriteStoredSwitchStates(TRegistry& key, const std::vector<RScreen>& screens);

}  // namespace shelf
