#include "media/codec_installer.h"

#include <gtest/gtest.h>

#include <set>

#include "media/media_fixture.h"
#include "platform/cp1251.h"
#include "platform/registry.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class CodecInstallerTest : public test::MediaTest {
 protected:
  TCodecInstaller Installer(std::set<std::string> installed) {
    TBookFolders folders;
    folders.ProgramDir = "c:\\run\\";
    folders.SystemDir = "c:\\system\\";
    fs::create_directories(Dir() / "system");
    return TCodecInstaller(
        Store, FileSystem, folders, [this](const std::string& m) { told.push_back(m); },
        [installed](const std::string& e) { return installed.contains(e); });
  }
  std::vector<std::string> told;
};

TEST_F(CodecInstallerTest, TellsTheReaderOnceWhichDecoderIsMissingAndItsPackage) {
  TCodecInstaller codecs = Installer({"avidemux", "wavparse", "avdec_adpcm_ms", "fluiddec"});
  EXPECT_TRUE(codecs.MissingPackages("AVI").empty());
  EXPECT_EQ(codecs.MissingPackages("MJPG"), std::vector<std::string>{"gstreamer1.0-plugins-good"});
  EXPECT_EQ(codecs.MissingPackages("IV50"), std::vector<std::string>{"gstreamer1.0-libav"});
  EXPECT_TRUE(codecs.MissingPackages("audio 0x0002").empty());
  EXPECT_TRUE(codecs.MissingPackages("MIDI").empty());
  EXPECT_TRUE(codecs.MissingPackages("RIFF WAVE").empty());
  EXPECT_EQ(codecs.MissingPackages("mpegaudio"),
            std::vector<std::string>{"gstreamer1.0-plugins-good"});
  codecs.DecoderMissing("MJPG");
  codecs.DecoderMissing("MJPG");
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], *Utf8ToCp1251("Для видео и музыки книги не хватает декодера Motion-JPEG. "
                                   "Установите пакет gstreamer1.0-plugins-good."));
  codecs.DecoderMissing("MIDI");  // nothing missing: nothing to say
  EXPECT_EQ(told.size(), 1u);
}

// The book's installers leave their files and entries in the emulated system and hives, and
// run nothing; a file already there is kept by the codec installers, replaced by the driver set.
TEST_F(CodecInstallerTest, CopiesTheBooksCodecFilesAndWritesTheirEntries) {
  test::WriteTree(Dir(), {{"run/Resource/Ir50_32.dll", "indeo"},
                          {"run/Resource/L3codecp.acm", "mp3"},
                          {"run/Resource/Xmdrivnt.dll", "xing"},
                          {"run/Resource/Xmres.dll", "res"},
                          {"run/Resource/Xmsound.dll", "sound"},
                          {"run/Resource/Xmvideo.dll", "video"},
                          {"system/Ir50_32.dll", "older"},
                          {"system/Xmres.dll", "older"}});
  TCodecInstaller codecs = Installer({});
  codecs.InstallForBook("indeo5 mpegaudio", true);
  codecs.InstallMpegDriver();
  EXPECT_EQ(test::ReadFile(Dir() / "system/Ir50_32.dll"), "older");
  EXPECT_EQ(test::ReadFile(Dir() / "system/L3codecp.acm"), "mp3");
  EXPECT_EQ(test::ReadFile(Dir() / "system/Xmdriver.dll"), "xing");
  EXPECT_EQ(test::ReadFile(Dir() / "system/Xmres.dll"), "res");
  EXPECT_TRUE(told.empty()) << "start-up reports to the log only";

  TRegistry classes(THive::ClassesRoot);
  ASSERT_TRUE(
      classes.OpenKey("CLSID\\{7D8EA000-731E-11d0-AC50-00AA00BF35C4}\\InProcServer32", false));
  EXPECT_EQ(classes.ReadString(""), "c:\\system\\l3codecp.acm");
  ASSERT_TRUE(classes.OpenKey("Software\\Xing\\XingMPEG Player\\XMPVideo", false));
  EXPECT_EQ(classes.ReadString(""), "c:\\system\\xmvideo.dll");
  TRegistry machine(THive::LocalMachine);
  ASSERT_TRUE(
      machine.OpenKey("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions", false));
  EXPECT_EQ(machine.ReadString("mpg"), "MpegVideo");
  ASSERT_TRUE(machine.OpenKey("SOFTWARE\\Microsoft\\Multimedia\\ActiveMovie", false));
  EXPECT_EQ(machine.ReadBinaryData("CheckExtensions"), std::string(4, '\0'));
}

TEST_F(CodecInstallerTest, TheDriverSetStopsAtTheFirstFileItCannotCopy) {
  test::WriteTree(Dir(), {{"run/Resource/Xmdrivnt.dll", "xing"}});
  TCodecInstaller codecs = Installer({});
  codecs.InstallMpegDriver();
  EXPECT_TRUE(fs::exists(Dir() / "system/Xmdriver.dll"));
  TRegistry classes(THive::ClassesRoot);
  EXPECT_FALSE(classes.OpenKey("Software\\Xing\\XingMPEG Player\\XMPDriver", false));
}

}  // namespace
}  // namespace shelf
