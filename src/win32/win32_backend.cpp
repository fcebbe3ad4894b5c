#include "win32/win32_backend.h"

#include <commctrl.h>

#include <vector>

#include "win32/gdi.h"

namespace nexolant::win32 {

namespace {

// Disables the thread's other visible, enabled top-level windows while a modal loop runs,
// and enables them again at its end.
class ModalScope {
 public:
  explicit ModalScope(HWND modal) : modal_(modal) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalScope::Collect, reinterpret_cast<LPARAM>(this));
    for (const HWND hwnd : disabled_) {
      EnableWindow(hwnd, FALSE);
    }
  }
  ~ModalScope() {
    // Enabled again before the modal window hides, so that the activation goes back to them.
    for (const HWND hwnd : disabled_) {
      EnableWindow(hwnd, TRUE);
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND hwnd, LPARAM self) {
    auto* scope = reinterpret_cast<ModalScope*>(self);
    if (hwnd != scope->modal_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
      scope->disabled_.push_back(hwnd);
    }
    return TRUE;
  }

  HWND modal_;
  std::vector<HWND> disabled_;
};

UINT MessageBoxFlags(ui::MessageButtons buttons, ui::MessageIcon icon) {
  UINT flags = buttons == ui::MessageButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case ui::MessageIcon::kError:
      flags |= MB_ICONERROR;
      break;
    case ui::MessageIcon::kExclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
    case ui::MessageIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case ui::MessageIcon::kInformation:
      flags |= MB_ICONINFORMATION;
      break;
    case ui::MessageIcon::kNone:
      break;
  }
  return flags;
}

int ScreenDpi() {
  const ClientDc screen(nullptr);
  return GetDeviceCaps(screen.Dc(), LOGPIXELSY);
}

}  // namespace

Win32Backend::Win32Backend(std::chrono::milliseconds pumpInterval)
    : pumpInterval_(static_cast<DWORD>(pumpInterval.count())),
      lastDispatch_(GetTickCount() - pumpInterval_),
      lastCaptions_(lastDispatch_ - kPumpIntervalsPerCaptionUpdate * pumpInterval_) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

Win32Backend::~Win32Backend() {
  forms_.clear();
}

void Win32Backend::Attach(ui::Application& application) {
  application_ = &application;
  context_.reset();
  hints_ = std::make_unique<HintWindow>(application);
  context_ = std::make_unique<RenderContext>(application, *hints_, ScreenDpi());
  timers_ = std::make_unique<TimerWindow>(application);
  posted_ = std::make_unique<PostedWindow>(application);
  hints_->SetStyle(application.GetHintStyle());
}

void Win32Backend::ProcessMessages() {
  const DWORD now = GetTickCount();
  if (now - lastDispatch_ < pumpInterval_) {
    return;
  }
  // Labels and lists that change with every scanned entry are drawn a few times a second, not
  // at every dispatch: drawing one costs milliseconds under Wine.
  if (now - lastCaptions_ >= kPumpIntervalsPerCaptionUpdate * pumpInterval_) {
    context_->ApplyDeferred();
    lastCaptions_ = now;
  }
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left for the loop that owns the application's end.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  // The interval runs from the end of the dispatch, so that the work between two dispatches
  // keeps its share however long drawing took.
  lastDispatch_ = GetTickCount();
}

void Win32Backend::WakeForPosted() {
  posted_->Wake();
}

void Win32Backend::UpdateWindows() {
  context_->ApplyDeferred();
  lastCaptions_ = GetTickCount();
}

FormWindow* Win32Backend::FormOfWindow(HWND hwnd) const {
  const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  for (const auto& [form, window] : forms_) {
    if (window->Handle() == root) {
      return window.get();
    }
  }
  return nullptr;
}

void Win32Backend::Dispatch(MSG& message) {
  FormWindow* form = FormOfWindow(message.hwnd);
  if (form && message.message == WM_CHAR) {
    char key = static_cast<char>(message.wParam);
    if (!application_->RunHandler([&] { key = form->Model().KeyPress(key); }) || key == 0) {
      return;
    }
    message.wParam = static_cast<unsigned char>(key);
  }
  if (form && message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
      GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
    MoveFocus(*form, GetKeyState(VK_SHIFT) < 0);
    return;
  }
  if (form && IsDialogMessageA(form->Handle(), &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void Win32Backend::MoveFocus(FormWindow& form, bool backwards) {
  const HWND focus = GetFocus();
  const ui::Control* current = nullptr;
  for (const ui::Control* control : form.Model().TabOrder()) {
    const ControlWindow* window = form.WindowOf(*control);
    if (window && (window->Handle() == focus || IsChild(window->Handle(), focus))) {
      current = control;
    }
  }
  if (const ui::Control* next = form.Model().NextTabStop(current, backwards)) {
    if (const ControlWindow* window = form.WindowOf(*next)) {
      SetFocus(window->Handle());
    }
  }
}

ui::MessageResult Win32Backend::ShowMessageBox(const std::string& text, const std::string& caption,
                                               ui::MessageButtons buttons, ui::MessageIcon icon) {
  if (hints_) {
    hints_->Hide();
  }
  context_->ApplyDeferred();
  HWND owner = GetActiveWindow();
  UINT flags = MessageBoxFlags(buttons, icon);
  if (!owner) {
    flags |= MB_TASKMODAL;
  }
  switch (MessageBoxA(owner, text.c_str(), caption.c_str(), flags)) {
    case IDYES:
      return ui::MessageResult::kYes;
    case IDNO:
      return ui::MessageResult::kNo;
    default:
      return ui::MessageResult::kOk;
  }
}

// The menu's messages go to the owner's form window; the chosen item comes back as its
// position plus one, 0 meaning none.
int Win32Backend::ShowPopupMenu(const ui::Control& owner, const ui::MenuItems& items) {
  if (hints_) {
    hints_->Hide();
  }
  context_->ApplyDeferred();
  const FormWindow* form = WindowOf(owner.OwnerForm());
  ControlWindow* window = form ? form->WindowOf(owner) : nullptr;
  if (!window) {
    return ui::kNoMenuChoice;
  }
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) {
    return ui::kNoMenuChoice;
  }
  for (std::size_t k = 0; k < items.size(); ++k) {
    AppendMenuA(menu.get(), MF_STRING | (items[k].enabled ? MF_ENABLED : MF_GRAYED), k + 1,
                items[k].caption.c_str());
  }
  const POINT at = window->MenuAnchor();
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                     at.x, at.y, 0, form->Handle(), nullptr));
  return chosen > 0 ? chosen - 1 : ui::kNoMenuChoice;
}

void Win32Backend::RealiseForm(ui::Form& form) {
  if (forms_.contains(&form)) {
    return;
  }
  // A form opened from another stays above it and has no taskbar button of its own.
  const FormWindow* owner = FormOfWindow(GetActiveWindow());
  forms_[&form] = std::make_unique<FormWindow>(*context_, form, owner ? owner->Handle() : nullptr);
}

void Win32Backend::DestroyForm(ui::Form& form) {
  forms_.erase(&form);
  if (mainForm_ == &form) {
    mainForm_ = nullptr;
  }
}

FormWindow* Win32Backend::WindowOf(const ui::Form& form) const {
  const auto found = forms_.find(&form);
  return found == forms_.end() ? nullptr : found->second.get();
}

void Win32Backend::ShowModal(ui::Form& form) {
  const FormWindow* window = WindowOf(form);
  const ModalScope modal(window ? window->Handle() : nullptr);
  MSG message;
  while (form.ModalResult() == ui::ModalResult::kNone) {
    context_->ApplyDeferred();
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));
      }
      break;
    }
    Dispatch(message);
  }
}

void Win32Backend::Run(ui::Form& mainForm) {
  mainForm_ = &mainForm;
  MSG message;
  while (!mainForm.Closed()) {
    context_->ApplyDeferred();
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
      break;
    }
    Dispatch(message);
  }
}

void Win32Backend::StartTimer(ui::Timer& timer) {
  timers_->Start(timer);
}

void Win32Backend::StopTimer(ui::Timer& timer) {
  timers_->Stop(timer);
}

void Win32Backend::ApplyHintStyle(const ui::HintStyle& style) {
  hints_->SetStyle(style);
}

HWND Win32Backend::MainWindow() const {
  const FormWindow* window = mainForm_ ? WindowOf(*mainForm_) : nullptr;
  return window ? window->Handle() : nullptr;
}

void Win32Backend::RestoreApplication() {
  if (const HWND main = MainWindow()) {
    if (IsIconic(main) || !IsWindowVisible(main)) {
      ShowWindow(main, SW_RESTORE);
    }
  }
}

void Win32Backend::BringApplicationToFront() {
  if (const HWND main = MainWindow()) {
    const HWND popup = GetLastActivePopup(main);
    SetForegroundWindow(popup && IsWindowVisible(popup) && IsWindowEnabled(popup) ? popup : main);
  }
}

void Win32Backend::ShowTaskbarButton(bool visible) {
  if (const HWND main = MainWindow()) {
    if (!visible) {
      ShowWindow(main, SW_HIDE);
    } else if (!IsWindowVisible(main)) {
      ShowWindow(main, IsIconic(main) ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    }
  }
}

}  // namespace nexolant::win32
