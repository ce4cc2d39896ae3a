#pragma once
// A list of texts as the library's controls expose it (Items of a list or combo box, Lines of a memo).
// Controls hand out a TStrings that reads and writes the widget itself, so nothing is cached twice.
#include <initializer_list>
#include <string>
#include <vector>

class TStrings {
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    // An index outside 0..Count()-1 raises EStringListError "List index out of bounds (%d)".
    virtual std::string Strings(int index) const = 0;
    virtual void Put(int index, const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Strings(index); }
    int Add(const std::string& text);           // returns the new index
    int IndexOf(const std::string& text) const; // exact match, -1 when absent
    void Assign(const std::vector<std::string>& texts);
    void Assign(const TStrings& other);
    void AddStrings(std::initializer_list<std::string> texts);
    std::vector<std::string> ToVector() const;
    // Every line followed by "\n"; SetText splits at "\n" (a "\r" before it is dropped).
    std::string Text() const;
    void SetText(const std::string& text);

protected:
    void CheckIndex(int index, int limit) const;
};

// A plain list of texts held in memory.
class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> texts) : items_(texts) {}
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Strings(int index) const override;
    void Put(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }

private:
    std::vector<std::string> items_;
};
