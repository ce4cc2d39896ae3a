#pragma once
// The two stores of form placement and stored values, behind one interface: an initialisation file
// (TIniFile, through the settings-file functions of the platform) and a registry key (TRegIniFile).
//
// There is no registry here: a key is a per-user settings file under the XDG configuration folder,
// $XDG_CONFIG_HOME (or ~/.config) + "/kaltor/registry/<root>/<key>.ini", where the key's "\" separate
// folders and each subkey is a section. Both stores are read and written with the same calls.
#include <string>
#include <vector>

enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& fallback) const;
    // False when the file cannot be written (a read-only store writes nothing).
    virtual bool WriteString(const std::string& section, const std::string& ident, const std::string& value);
    int ReadInteger(const std::string& section, const std::string& ident, int fallback) const;
    bool WriteInteger(const std::string& section, const std::string& ident, int value);
    bool ReadBool(const std::string& section, const std::string& ident, bool fallback) const;
    bool WriteBool(const std::string& section, const std::string& ident, bool value);
    bool EraseSection(const std::string& section);
    bool DeleteKey(const std::string& section, const std::string& ident);
    std::vector<std::string> ReadSections() const;
    bool SectionExists(const std::string& section) const;

protected:
    bool readOnly_ = false;

private:
    std::string fileName_;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const std::string& fileName) : TCustomIniFile(fileName) {}
    // A value that begins and ends with the same quote is written inside one more pair of double
    // quotes, so that reading (which strips one pair) gives it back unchanged.
    bool WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
};

// A registry value comes back exactly as it was written, whatever its text. A value that the settings
// file would not keep as it is (blanks at either end, a quote pair around it, line breaks or other
// control characters) is written in double quotes with "\\", "\n", "\r", "\t" and "\xHH" escapes;
// any other value, and any value a person wrote without the quotes, reads as the settings file reads it.
class TRegIniFile : public TCustomIniFile {
public:
    // A key opened read-only is never created or changed.
    TRegIniFile(const std::string& key, TPlacementRegRoot root = prCurrentUser, bool readOnly = false);
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& fallback) const override;
    bool WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    // The file that holds a key.
    static std::string KeyFileName(const std::string& key, TPlacementRegRoot root);
};
