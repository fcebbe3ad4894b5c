#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "app/main_form_fixture.h"
#include "ui/control_observer.h"
#include "ui/list_view.h"

namespace nexolant {

// What the scan changed on the window, in order: "name=caption" for captions, "name red" or
// "name navy" for font colours, "name shown"/"name hidden", "name enabled"/"name disabled",
// and "name row" for a row added to a list.
class ChangeLog : public ui::ControlObserver {
 public:
  void ControlChanged(ui::Control& control, ui::Property property) override;
  void ListChanged(ui::ListView& list, const ui::ListChange& change) override;

  // The entries about one control, without its name.
  std::vector<std::string> Of(std::string_view name) const;

  std::vector<std::string> entries;
};

// A main window with a reference file, for tests of the scan: controls by name, the scan's
// buttons, and actions that run inside the first pump at which a condition holds.
class ScanTest : public MainFormTest {
 protected:
  // [ScanFiles] evil.exe, [OtherKill] badproc.exe, [Registry] EvilKey and Evil*Sub.
  static constexpr const char* kReference =
      "[ScanFiles]\nevil.exe=Evil file\nspyw?.dll=Spy library\n"
      "[OtherKill]\nbadproc.exe=Bad process\n"
      "[Registry]\nEvilKey=Evil key\nEvil*Sub=Evil subkey\n";

  // Creates the window over the reference text and starts recording its changes.
  void Start(std::string_view reference = kReference);

  ScanControl& Scan() const { return form_->Scan(); }
  ui::Button& StopButton() const { return Get<ui::Button>("btnStop"); }
  ui::ListView& Report() const { return Get<ui::ListView>("Report"); }
  // The rows of the Report list as "caption|location|description".
  std::vector<std::string> Rows() const;
  // What lblCurrentFile showed, in order.
  std::vector<std::string> Shown() const { return log_.Of("lblCurrentFile"); }

  // Shows the Scan Now page, picks the mode by its radio button and presses Next.
  void RunScan(const char* mode = "chkSelect");
  // A chosen-folder scan of folder.
  void ScanFolder(const std::string& folder);
  void Choose(const std::string& folder);
  void SetDeepScan(bool deep) { form_->UserOptions().Set(Option::kDeepScanRegistry, deep); }
  void SetRegistryScan(bool scan) {
    if (Get<ui::CheckBox>("chkRegScan").Checked() != scan) {
      backend_.Click(Control("chkRegScan"));
    }
  }

  // Runs action inside the first pump, from the next one on, at which condition holds.
  void WhenPumped(std::function<bool()> condition, std::function<void()> action);
  // Presses btnStop inside the first pump at which lblCurrentFile starts with prefix.
  void StopWhenShowing(std::string prefix);

  ChangeLog log_;
};

}  // namespace nexolant
