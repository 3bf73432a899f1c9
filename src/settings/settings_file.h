#pragma once
// The program's one settings file, "vek7MKurvengenerator.ini" in the working
// directory: read once at start-up, written once after the event loop ends.

#include <filesystem>
#include <functional>
#include <span>

#include "settings/settings.h"

namespace settings {

inline constexpr const char* kIniDatei = "vek7MKurvengenerator.ini";

inline constexpr int kIniNichtGefundenFehler = -802201;
inline constexpr int kIniLeseFehler = -801202;
inline constexpr int kIniSchreibFehler = -800203;

using IniLeser = std::function<void(const IniText&)>;
using IniSchreiber = std::function<void(IniText&)>;

// Reads the file and hands it to the readers in their order; none runs when
// the file is missing (-802201) or cannot be read (-801202).
int ReadIni(std::span<const IniLeser> leser, const std::filesystem::path& datei = kIniDatei);

// Rebuilds the file from what the writers put, in their order: comments,
// unknown sections and keys of the old file are not carried over. -800203 when
// it cannot be written; the old file then stays as it was.
int WriteIni(std::span<const IniSchreiber> schreiber,
             const std::filesystem::path& datei = kIniDatei);

}  // namespace settings
