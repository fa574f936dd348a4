#pragma once

// The program's own names, as every window and message shows them.
namespace app {
inline constexpr const char* kTitle = "Torvane v.1.0";
inline constexpr const char* kProduct = "Torvane (Gestión Torvane)";
inline constexpr const char* kInstalledVersion = "010000";
inline constexpr const char* kProgramFile = "TORVANE.EXE";
} // namespace app
