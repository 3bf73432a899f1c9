#pragma once
// The small settings library behind the program's one settings file: sections
// of items, kept sorted by name (case-insensitive), read from and written to a
// line-oriented text file. Values are held as the bytes that stand in the file
// (Windows-1252); callers convert texts at this boundary.

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

struct IniItem {
    std::string name;
    std::string wert;
    bool inAnfuehrungszeichen = false;
};

struct IniSection {
    std::string name;
    std::vector<IniItem> items;
    std::map<std::string, std::size_t> index;  // lower-case name -> position in items
};

struct IniText {
    bool automatischSortieren = true;
    std::vector<IniSection> sections;
    std::map<std::string, std::size_t> index;  // lower-case name -> position in sections
};

// Results of the file operations.
inline constexpr int kIniOk = 0;
inline constexpr int kIniNichtGefunden = -1;
inline constexpr int kIniLesefehler = -2;
inline constexpr int kIniSchreibfehler = -3;

std::unique_ptr<IniText> Ini_New(bool automatischSortieren);
void Ini_Dispose(std::unique_ptr<IniText>& ini);

int Ini_ReadFromFile(IniText& ini, const std::filesystem::path& pfad);
// The reading rules on text already in memory (the file's bytes).
void Ini_ReadFromText(IniText& ini, std::string_view text);

int Ini_WriteToFile(const IniText& ini, const std::filesystem::path& pfad);
// The bytes Ini_WriteToFile writes.
std::string Ini_ToText(const IniText& ini);

void Ini_PutInt(IniText& ini, std::string_view section, std::string_view item, int wert);
void Ini_PutDouble(IniText& ini, std::string_view section, std::string_view item, double wert);
// Written in double quotes, the bytes as they are.
void Ini_PutRawString(IniText& ini, std::string_view section, std::string_view item,
                      std::string_view text);

// 1 found and valid, 0 not found (target unchanged), negative: not an integer
// (target unchanged).
int Ini_GetInt(const IniText& ini, std::string_view section, std::string_view item, int& wert);
// 1 found and valid, 0 not found (target unchanged), negative: not wholly a
// number (target holds the longest leading part that is one, else 0).
int Ini_GetDouble(const IniText& ini, std::string_view section, std::string_view item,
                  double& wert);
// Sets the buffer empty first; when found, takes at most groesse - 1 bytes.
// Returns 1 when found, 0 when not.
int Ini_GetRawStringIntoBuffer(const IniText& ini, std::string_view section, std::string_view item,
                               std::string& puffer, std::size_t groesse);

}  // namespace settings
