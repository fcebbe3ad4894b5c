#include "ui/application_backend.h"

#include <stdexcept>

namespace nexolant::ui {

void ApplicationBackend::ShowModal(Form& /*form*/) {
  throw std::logic_error("This program shows no windows");
}

void ApplicationBackend::Run(Form& /*mainForm*/) {
  throw std::logic_error("This program shows no windows");
}

}  // namespace nexolant::ui
