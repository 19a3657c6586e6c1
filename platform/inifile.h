#pragma once
// INI settings file. Sections and keys are found without regard to case;
// keys are taken as they stand (the settings use keys such as
// "PageControl1->ActivePageIndex"); values are 8-bit texts written as they
// stand. The file is read whole and written whole, with CR LF line ends.

#include "platform/filewrite.h"

#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string path);

    // Reads the file named at construction; a missing file gives an empty set.
    bool Load();
    // Parses INI text (CR LF or LF); lines that are neither a section, a
    // key=value pair nor a comment are kept out of the model.
    void Parse(std::string_view text);
    // Writes the whole file through a temporary file and a rename.
    WriteResult Save() const;
    std::string Text() const;

    const std::string& FileName() const { return path_; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // A value that is not a whole number (decimal, or hex with "0x") gives `def`.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* find(std::string_view section) const;
    Section* find(std::string_view section);

    std::string path_;
    std::vector<Section> sections_;
};

// Case-free comparison of 8-bit texts (ASCII letters only, like the settings keys).
bool EqualsNoCase(std::string_view a, std::string_view b);
