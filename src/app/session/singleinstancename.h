// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The name every copy of the window started by the same user on the same display shares:
// a fixed GUID, "-", the user id, "-" and the display (or Wayland socket) name. The
// environment variable QUORVIN_INSTANCE replaces it, so that tests run apart from a
// window the user has open.
QString SingleInstanceName();
