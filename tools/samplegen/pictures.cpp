#include "pictures.h"

#include <functional>

#include "control_pictures.h"
#include "picture_files.h"
#include "reading_screen.h"
#include "sample_layout.h"
#include "thesaurus_screen.h"
#include "title_screen.h"

namespace shelf::samplegen {
namespace {

class TPictureList {
 public:
  void Add(const QString& name, const QImage& image, bool loose = false) {
    files_.push_back({"run/" + name, loose, Bitmap(image)});
  }

  // stem1.bmp .. stem3.bmp: normal, pointer over, pressed.
  void AddButton(const QString& stem, const QImage& screen, const QRect& place,
                 const std::function<QImage(const QImage&, TButtonState)>& draw,
                 bool loose = false) {
    const QImage ground = screen.copy(place);
    int number = 1;
    for (const TButtonState state :
         {TButtonState::Normal, TButtonState::Over, TButtonState::Pressed})
      Add(stem + QString::number(number++) + ".bmp", draw(ground, state), loose);
  }

  // stem1.bmp .. stem4.bmp in the order of kSwitchStates.
  void AddSwitch(const QString& stem, const QImage& screen, const QRect& place,
                 QImage (*draw)(const QImage&, TSwitchState)) {
    const QImage ground = screen.copy(place);
    int number = 1;
    for (const TSwitchState state : kSwitchStates)
      Add(stem + QString::number(number++) + ".bmp", draw(ground, state));
  }

  std::vector<TBookFile> Take() { return std::move(files_); }

 private:
  std::vector<TBookFile> files_;
};

std::function<QImage(const QImage&, TButtonState)> Tool(TToolIcon icon) {
  return
      [icon](const QImage& ground, TButtonState state) { return ToolButton(ground, icon, state); };
}

std::function<QImage(const QImage&, TButtonState)> TitleBar(TTitleBarGlyph glyph) {
  return [glyph](const QImage& ground, TButtonState state) {
    return TitleBarButton(ground, glyph, state);
  };
}

// The thesaurus window's own screen and keys (Tesaurus.txt).
void AddThesaurusPictures(TPictureList& list) {
  using namespace thesaurus_layout;
  const QImage screen = ThesaurusScreen();
  list.Add("ts_fon.bmp", screen);
  list.AddButton("ts_min", screen, kMinimize, TitleBar(TTitleBarGlyph::Minimize));
  list.AddButton("ts_x", screen, kClose, TitleBar(TTitleBarGlyph::Close));
  const std::pair<const char*, TToolIcon> tools[] = {{"ts_find", TToolIcon::Find},
                                                     {"ts_back", TToolIcon::Back},
                                                     {"ts_fwd", TToolIcon::Forward},
                                                     {"ts_top", TToolIcon::PrevChapter}};
  static_assert(std::size(tools) == kTools.size());
  for (std::size_t i = 0; i < std::size(tools); ++i)
    list.AddButton(tools[i].first, screen, kTools[i], Tool(tools[i].second));
}

}  // namespace

std::vector<TBookFile> DrawPictures() {
  TPictureList list;
  const QImage title = TitleScreen();
  const QImage reading = ReadingScreen();
  list.Add("fon1.bmp", title);
  list.Add("fon2.bmp", reading);

  // Both screens have the same plain corner under the title-bar buttons. The minimise button's
  // pictures stay beside the container.
  list.AddButton("tbmin", title, layout::kMinimize, TitleBar(TTitleBarGlyph::Minimize), true);
  list.AddButton("tbx", title, layout::kClose, TitleBar(TTitleBarGlyph::Close));
  list.AddButton("tbhelp", title, layout::kHelp, TitleBar(TTitleBarGlyph::Help));
  list.AddButton("tbtes", title, layout::kThesaurus, TitleBar(TTitleBarGlyph::Thesaurus));
  list.AddButton("tbplain", title, layout::kPlainWindow, TitleBar(TTitleBarGlyph::PlainWindow));

  const char* const titleButtons[] = {"open", "setup", "about", "quit"};
  for (int i = 0; i < 4; ++i)
    list.AddButton(titleButtons[i], title, layout::kTitleButtons[i], PlateButton);
  list.AddSwitch("sound", title, layout::kSoundSwitch, SliderSwitch);
  list.AddSwitch("eng1_", title, layout::kEngineSwitches[0], LampSwitch);
  list.AddSwitch("eng2_", title, layout::kEngineSwitches[1], LampSwitch);
  list.AddSwitch("video", title, layout::kVideoSwitch, SliderSwitch);
  list.AddButton("music", title, layout::kMusicButton, Tool(TToolIcon::Music));
  list.AddSwitch("case", title, layout::kCaseSwitch, SliderSwitch);

  const std::pair<const char*, TToolIcon> tools[] = {{"tl_title", TToolIcon::Title},
                                                     {"tl_back", TToolIcon::Back},
                                                     {"tl_fwd", TToolIcon::Forward},
                                                     {"tl_hist", TToolIcon::History},
                                                     {"tl_histf", TToolIcon::HistoryForward},
                                                     {"tl_prev", TToolIcon::PrevChapter},
                                                     {"tl_next", TToolIcon::NextChapter},
                                                     {"tl_mark", TToolIcon::Bookmarks},
                                                     {"tl_add", TToolIcon::AddBookmark},
                                                     {"tl_del", TToolIcon::DeleteBookmark},
                                                     {"tl_find", TToolIcon::Find},
                                                     {"tl_print", TToolIcon::Print}};
  static_assert(std::size(tools) == layout::kToolTops.size());
  for (std::size_t i = 0; i < std::size(tools); ++i)
    list.AddButton(tools[i].first, reading,
                   QRect(QPoint(layout::kToolLeft, layout::kToolTops[i]), layout::kToolSize),
                   Tool(tools[i].second));
  list.AddButton("tl_unarc", reading, layout::kUnpackTool, Tool(TToolIcon::Unpack));
  const std::pair<const char*, TToolIcon> clipButtons[] = {{"cl_play", TToolIcon::Play},
                                                           {"cl_pause", TToolIcon::Pause},
                                                           {"cl_stop", TToolIcon::Stop},
                                                           {"cl_back", TToolIcon::StepBack},
                                                           {"cl_fwd", TToolIcon::StepForward}};
  for (std::size_t i = 0; i < std::size(clipButtons); ++i)
    list.AddButton(clipButtons[i].first, reading,
                   QRect(QPoint(layout::kClipButtonsLeft +
                                    static_cast<int>(i) * layout::kClipButtonSize.width(),
                                layout::kClipButtonsTop),
                         layout::kClipButtonSize),
                   Tool(clipButtons[i].second));
  list.AddButton("tbfont", reading, layout::kFontButton, TitleBar(TTitleBarGlyph::Font));
  list.AddButton("tbinst", reading, layout::kInstallFontsButton,
                 TitleBar(TTitleBarGlyph::InstallFonts));
  list.AddButton("tbprev", title, layout::kPreviousPicture, TitleBar(TTitleBarGlyph::Previous));
  list.AddButton("tbnext", title, layout::kNextPicture, TitleBar(TTitleBarGlyph::Next));
  AddThesaurusPictures(list);
  return list.Take();
}

}  // namespace shelf::samplegen
