#pragma once

// The program's own names, as every window and message shows them.
namespace app {
inline constexpr const char* kTitle = "Torvane v.1.0";
inline constexpr const char* kProduct = "Torvane (Gestión Torvane)";
#ifdef TORVANE_INSTALLED_VERSION
inline constexpr const char* kInstalledVersion = TORVANE_INSTALLED_VERSION;
#else
inline constexpr const char* kInstalledVersion = "010000";
#endif
inline constexpr const char* kProgramFile = "TORVANE.EXE";
} // namespace app
