#pragma once

// The program's version text: shown by the about window and compared at log-in.
inline constexpr const char* kLudomyraVersion = "1.0.8";
