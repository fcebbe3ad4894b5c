#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/controls.h"
#include "ui/recording_observer.h"

namespace nexolant::ui {
namespace {

// A form with one control of each kind, watched by a recording observer.
struct Fixture {
  Fixture() {
    label = &form.Add<Label>("label");
    link = &form.Add<LinkLabel>("link");
    shape = &form.Add<Shape>("shape");
    image = &form.Add<Image>("image");
    bevel = &form.Add<Bevel>("bevel");
    button = &form.Add<Button>("button");
    imageButton = &form.Add<ImageButton>("imageButton");
    speed = &form.Add<SpeedButton>("speed");
    speed->SetGroupIndex(1);
    speed->SetAllowAllUp(true);
    check = &form.Add<CheckBox>("check");
    radio = &form.Add<RadioButton>("radio");
    combo = &form.Add<ComboBox>("combo");
    combo->SetItems({"one", "two"});
    list = &form.Add<ListView>("list");
    list->AddColumn("Name", 100);
    list->Add("row");
    memo = &form.Add<Memo>("memo");
    notebook = &form.Add<Notebook>("notebook");
    notebook->AddPage("First");
    notebook->AddPage("Second");
    form.SetObserver(&observer);
  }

  Form form{"form"};
  Label* label;
  LinkLabel* link;
  Shape* shape;
  Image* image;
  Bevel* bevel;
  Button* button;
  ImageButton* imageButton;
  SpeedButton* speed;
  CheckBox* check;
  RadioButton* radio;
  ComboBox* combo;
  ListView* list;
  Memo* memo;
  Notebook* notebook;
  RecordingObserver observer;
};

using P = Property;

struct SetterCase {
  const char* name;
  Property property;
  // The control that should be notified.
  const char* target;
  std::function<void(Fixture&)> apply;
};

// clang-format off
const SetterCase kSetters[] = {
    {"bounds", P::kBounds, "label", [](Fixture& f) { f.label->SetBounds({1, 2, 3, 4}); }},
    {"left", P::kBounds, "label", [](Fixture& f) { f.label->SetLeft(24); }},
    {"width", P::kBounds, "label", [](Fixture& f) { f.label->SetWidth(457); }},
    {"visible", P::kVisible, "image", [](Fixture& f) { f.image->SetVisible(false); }},
    {"enabled", P::kEnabled, "button", [](Fixture& f) { f.button->SetEnabled(false); }},
    {"caption", P::kCaption, "button", [](Fixture& f) { f.button->SetCaption("Stop"); }},
    {"font", P::kFont, "label", [](Fixture& f) {
       f.label->SetFont({"Verdana", 17, true, false, colors::kBlack}); }},
    {"font colour", P::kFont, "label", [](Fixture& f) { f.label->SetFontColor(colors::kRed); }},
    {"hint", P::kHint, "link", [](Fixture& f) { f.link->SetHint("Open quarantine"); }},
    {"show hint", P::kShowHint, "link", [](Fixture& f) { f.link->SetShowHint(true); }},
    {"cursor", P::kCursor, "image", [](Fixture& f) { f.image->SetCursor(Cursor::kHourGlass); }},
    {"colour", P::kColor, "shape", [](Fixture& f) { f.shape->SetColor(Color::Rgb(0xEAF3FF)); }},
    {"transparent", P::kTransparent, "label", [](Fixture& f) { f.label->SetTransparent(true); }},
    {"alignment", P::kAlignment, "link", [](Fixture& f) {
       f.link->SetAlignment(Alignment::kRight); }},
    {"auto size", P::kAutoSize, "label", [](Fixture& f) { f.label->SetAutoSize(false); }},
    {"word wrap", P::kWordWrap, "label", [](Fixture& f) { f.label->SetWordWrap(true); }},
    {"pen", P::kPenColor, "shape", [](Fixture& f) { f.shape->SetPenColor(colors::kWhite); }},
    {"picture", P::kPicture, "image", [](Fixture& f) { f.image->SetPicture("BACKGROUND"); }},
    {"centre", P::kCenter, "image", [](Fixture& f) { f.image->SetCenter(true); }},
    {"bevel shape", P::kBevelShape, "bevel", [](Fixture& f) {
       f.bevel->SetBevelShape(BevelShape::kTopLine); }},
    {"glyph", P::kPicture, "button", [](Fixture& f) { f.button->SetGlyph("NEXT"); }},
    {"default", P::kDefault, "button", [](Fixture& f) { f.button->SetDefault(true); }},
    {"cancel", P::kCancel, "button", [](Fixture& f) { f.button->SetCancel(true); }},
    {"pictures", P::kPicture, "imageButton", [](Fixture& f) {
       f.imageButton->SetPictures({"A", "B", "C"}); }},
    {"transparent colour", P::kTransparentColor, "imageButton", [](Fixture& f) {
       f.imageButton->SetTransparentColor(colors::kWhite); }},
    {"opaque", P::kOpaque, "imageButton", [](Fixture& f) { f.imageButton->SetOpaque(true); }},
    {"down", P::kDown, "speed", [](Fixture& f) { f.speed->SetDown(true); }},
    {"flat", P::kFlat, "speed", [](Fixture& f) { f.speed->SetFlat(false); }},
    {"checked", P::kChecked, "check", [](Fixture& f) { f.check->SetChecked(true); }},
    {"radio checked", P::kChecked, "radio", [](Fixture& f) { f.radio->SetChecked(true); }},
    {"item index", P::kItemIndex, "combo", [](Fixture& f) { f.combo->SetItemIndex(1); }},
    {"list selection", P::kItemIndex, "list", [](Fixture& f) { f.list->SetItemIndex(0); }},
    {"column width", P::kColumns, "list", [](Fixture& f) { f.list->SetColumnWidth(0, 300); }},
    {"read only", P::kReadOnly, "memo", [](Fixture& f) { f.memo->SetReadOnly(true); }},
    {"lines", P::kLines, "memo", [](Fixture& f) { f.memo->SetLines({"a", "b"}); }},
    {"scroll bars", P::kScrollBars, "memo", [](Fixture& f) {
       f.memo->SetScrollBars(ScrollBars::kBoth); }},
    {"page", P::kPageIndex, "notebook", [](Fixture& f) { f.notebook->SetPageIndex(1); }},
    {"form caption", P::kCaption, "form", [](Fixture& f) { f.form.SetCaption("Nexolant"); }},
    {"client size", P::kBounds, "form", [](Fixture& f) { f.form.SetClientSize(762, 394); }},
    {"border style", P::kBorderStyle, "form", [](Fixture& f) {
       f.form.SetBorderStyle(BorderStyle::kNone); }},
    {"border icons", P::kBorderIcons, "form", [](Fixture& f) {
       f.form.SetBorderIcons({true, true, false}); }},
    {"position", P::kPosition, "form", [](Fixture& f) {
       f.form.SetPosition(FormPosition::kScreenCenter); }},
    {"icon", P::kPicture, "form", [](Fixture& f) { f.form.SetIcon("MAINICON"); }},
    {"modal result", P::kModalResult, "form", [](Fixture& f) {
       f.form.SetModalResult(ModalResult::kOk); }},
};
// clang-format on

TEST(ControlNotification, EachSetterNotifiesOnceAndNotAgainForTheSameValue) {
  for (const SetterCase& setter : kSetters) {
    Fixture fixture;
    setter.apply(fixture);
    const std::string target = setter.target;
    const Control* expected =
        target == "form" ? &fixture.form : fixture.form.FindControl(setter.target);
    ASSERT_EQ(fixture.observer.changes.size(), 1u) << setter.name;
    EXPECT_EQ(fixture.observer.changes[0], (RecordingObserver::Change{expected, setter.property}))
        << setter.name;

    fixture.observer.Clear();
    setter.apply(fixture);
    EXPECT_TRUE(fixture.observer.changes.empty()) << setter.name << " notified a repeated value";
  }
}

TEST(ControlNotification, ControlsOnNotebookPagesReportToTheirForm) {
  Fixture fixture;
  Label& onPage = fixture.notebook->Page(1).Add<Label>("onPage");
  onPage.SetCaption("Ready.");
  EXPECT_EQ(fixture.observer.Count(onPage, Property::kCaption), 1);
}

TEST(ControlNotification, NothingIsReportedWithoutAnObserver) {
  Fixture fixture;
  fixture.form.SetObserver(nullptr);
  fixture.label->SetCaption("x");
  fixture.list->Add("y");
  EXPECT_TRUE(fixture.observer.changes.empty());
  EXPECT_TRUE(fixture.observer.rowChanges.empty());
}

TEST(ControlNotification, SideEffectsOnOtherControlsAreNotifiedOnThemOnly) {
  Fixture fixture;
  RadioButton& second = fixture.form.Add<RadioButton>("second");
  SpeedButton& mate = fixture.form.Add<SpeedButton>("mate");
  mate.SetGroupIndex(1);
  fixture.radio->SetChecked(true);
  fixture.speed->SetDown(true);
  fixture.observer.Clear();

  second.SetChecked(true);
  mate.SetDown(true);
  EXPECT_EQ(fixture.observer.changes,
            (std::vector<RecordingObserver::Change>{{&second, Property::kChecked},
                                                    {fixture.radio, Property::kChecked},
                                                    {&mate, Property::kDown},
                                                    {fixture.speed, Property::kDown}}));
}

TEST(ControlNotification, NewControlsTakeTheFontOfTheirContainer) {
  Form form("form");
  Font verdana{"Verdana", 11, false, false, Color::WindowText()};
  form.SetFont(verdana);
  EXPECT_EQ(form.Add<Label>("plain").Font(), verdana);

  Notebook& notebook = form.Add<Notebook>("notebook");
  Font courier{"Courier New", 13, false, false, Color::WindowText()};
  notebook.SetFont(courier);
  EXPECT_EQ(notebook.AddPage("Details").Add<Memo>("DetailsMemo").Font(), courier);

  LinkLabel& link = form.Add<LinkLabel>("link");
  EXPECT_EQ(link.Font().color, colors::kBlue);
  EXPECT_TRUE(link.Font().underline);
  EXPECT_EQ(link.Cursor(), Cursor::kHand);
}

}  // namespace
}  // namespace nexolant::ui
