#pragma once

namespace nexolant::ui {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kError, kExclamation, kQuestion, kInformation };
enum class MessageResult { kOk, kYes, kNo };

}  // namespace nexolant::ui
