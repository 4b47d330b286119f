// Registry keys and values of a package, below the key "Software" of HKEY_CURRENT_USER
// or HKEY_LOCAL_MACHINE. The same record serves the setup package and the uninstall
// data. Integers are int32 little-endian; strings are their bytes and one NUL, read
// back with ReadPackageString (at most 256 characters).
//
// Entry record:
//   type          int32   1 key; any other value is a value (writers use 2)
//   name          string  relative to the parent key
//   remove flag   int32   nonzero: the uninstaller deletes the key or value
//   value type    int32   values only: 0 string, 1 number, 2 generated string
//   number        int32   values only: REG_DWORD data of type 1
//   length        int32   values only: characters of the generated string of type 2
//   text          string  values only: REG_SZ data of type 0 (comes last)
//   child count   int32   always; 0 for values
//   child entry records
//
// List record: int32 entry count, then that many entry records. A package and the
// uninstall data hold two lists back to back: HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE.
// Every field is kept as read, used or not, so a list written back is byte-identical.
#pragma once

#include "package/byte_stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int32_t kRegEntryKey = 1;
constexpr int32_t kRegEntryValue = 2;

constexpr int32_t kRegValueString = 0;
constexpr int32_t kRegValueNumber = 1;
constexpr int32_t kRegValueGenerated = 2;

// Deepest nesting a reader follows (the registry's own limit on key depth).
constexpr int kMaxRegistryDepth = 512;

struct RegValue {
    int32_t nType = kRegValueString;
    std::string strText;
    int32_t nNumber = 0;
    int32_t nLength = 0;
};

class CRegistryEntry;
using RegistryEntryList = std::vector<std::unique_ptr<CRegistryEntry>>;

class CRegistryEntry {
public:
    CRegistryEntry() = default;
    CRegistryEntry(const CRegistryEntry&) = delete;
    CRegistryEntry& operator=(const CRegistryEntry&) = delete;
    virtual ~CRegistryEntry();

    // Discards the entry's children and value, then reads one record. False at the
    // first short read, at a negative count, or past the deepest nesting; what was read
    // so far is kept.
    virtual bool Read(ByteStream& stream);
    // Writes the record, children in list order.
    virtual void Write(ByteStream& stream) const;

    bool IsKey() const { return m_nType == kRegEntryKey; }
    // True when a key or value below this entry is to be kept at removal.
    bool HoldsKeptEntry() const;

    int32_t m_nType = kRegEntryKey;
    std::string m_strName;
    std::unique_ptr<RegValue> m_pValue;  // values only
    int32_t m_bRemove = 1;
    RegistryEntryList m_children;

protected:
    bool ReadRecord(ByteStream& stream, int depth);
    // Reads count child records and appends them.
    bool ReadChildren(ByteStream& stream, int depth);
    void Clear();
};

// The top-level entries under "Software" of one root key; only the children are used.
class CRegistryList : public CRegistryEntry {
public:
    bool Read(ByteStream& stream) override;
    void Write(ByteStream& stream) const override;
};
