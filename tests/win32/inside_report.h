#pragma once

#include <optional>
#include <string>

#include "tests/win32/app_session.h"
#include "tests/win32/inside_report_protocol.h"

namespace quorvel::wine_driver {

// Reads the window's icons and its controls' fonts from inside the program
// through the hook DLL at hookPath; nothing if the report did not arrive.
std::optional<InsideReport> ReadInsideReport(const AppSession& app, const std::wstring& hookPath);

}  // namespace quorvel::wine_driver
