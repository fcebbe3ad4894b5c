#pragma once

// Every kind of the control model, for the renderer and for forms that use many kinds.
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/graphic_controls.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/memo.h"
#include "ui/notebook.h"
#include "ui/speed_button.h"
#include "ui/timer.h"
