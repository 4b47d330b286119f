#include "tools/package_listing.h"

#include <cstdio>

namespace {

std::string Flags(int32_t shortcut, int32_t remove) {
    std::string flags = shortcut ? "S" : "-";
    return flags + (remove ? "R" : "-");
}

std::string Pad(std::string text, size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

const char* ValueTypeName(int32_t type) {
    switch (type) {
    case kRegValueString: return "string";
    case kRegValueNumber: return "number";
    case kRegValueGenerated: return "generated";
    default: return "unknown";
    }
}

void PrintItems(const std::vector<PackedItem>& items, int depth, std::ostream& out) {
    for (const PackedItem& item : items) {
        std::string indent(size_t(depth) * 2, ' ');
        if (item.IsFile()) {
            out << Flags(item.bShortcut, item.bRemove) << "  " << Pad(std::to_string(item.data.nSize), 11)
                << Pad(std::to_string(item.data.nCompressed), 11) << Pad(FormatUtc(item.nTime), 21) << indent
                << item.strName << "\n";
        } else {
            out << Flags(item.bShortcut, item.bRemove) << "  " << Pad("", 43) << indent << item.strName << "\\\n";
        }
        PrintItems(item.children, depth + 1, out);
    }
}

void PrintEntries(const RegistryEntryList& entries, int depth, std::ostream& out) {
    for (const auto& entry : entries) {
        std::string indent(size_t(depth) * 2, ' ');
        out << "  " << (entry->m_bRemove ? "R" : "-") << "  " << indent;
        if (entry->IsKey()) {
            out << entry->m_strName << "\\\n";
        } else {
            const RegValue& value = *entry->m_pValue;
            out << (entry->m_strName.empty() ? "(default)" : entry->m_strName) << " = ";
            switch (value.nType) {
            case kRegValueString: out << '"' << value.strText << "\" (REG_SZ)"; break;
            case kRegValueNumber: out << uint32_t(value.nNumber) << " (REG_DWORD)"; break;
            case kRegValueGenerated: out << "<generated, " << value.nLength << " characters> (REG_SZ)"; break;
            default: out << "<unknown value type " << value.nType << ">"; break;
            }
            out << "\n";
        }
        PrintEntries(entry->m_children, depth + 1, out);
    }
}

void WriteItemsJson(CJsonWriter& json, const char* key, const std::vector<PackedItem>& items) {
    json.BeginArray(key);
    for (const PackedItem& item : items) {
        json.BeginObject()
            .String("name", item.strName)
            .String("type", item.IsFile() ? "file" : "directory")
            .Int("typeValue", item.nType)
            .Bool("shortcut", item.bShortcut != 0)
            .Bool("remove", item.bRemove != 0)
            .Int("offset", item.nOffset);
        if (item.IsFile()) {
            json.Int("time", item.nTime)
                .String("timeUtc", FormatUtc(item.nTime))
                .Int("size", item.data.nSize)
                .Int("compressedSize", item.data.nCompressed);
        }
        WriteItemsJson(json, "children", item.children);
        json.EndObject();
    }
    json.EndArray();
}

void WriteEntriesJson(CJsonWriter& json, const char* key, const RegistryEntryList& entries) {
    json.BeginArray(key);
    for (const auto& entry : entries) {
        json.BeginObject()
            .String("type", entry->IsKey() ? "key" : "value")
            .Int("typeValue", entry->m_nType)
            .String("name", entry->m_strName)
            .Bool("remove", entry->m_bRemove != 0);
        if (!entry->IsKey()) {
            const RegValue& value = *entry->m_pValue;
            json.String("valueType", ValueTypeName(value.nType))
                .Int("valueTypeValue", value.nType)
                .String("text", value.strText)
                .Int("number", value.nNumber)
                .Int("length", value.nLength);
        }
        WriteEntriesJson(json, "children", entry->m_children);
        json.EndObject();
    }
    json.EndArray();
}

void WriteBlockJson(CJsonWriter& json, const char* key, bool present, const BlockInfo& block) {
    if (!present) {
        json.Null(key);
        return;
    }
    json.BeginObject(key)
        .Int("offset", block.nOffset)
        .Int("size", block.nSize)
        .Int("compressedSize", block.nCompressed)
        .EndObject();
}

}  // namespace

std::string FormatUtc(int32_t time) {
    // Days to civil date (proleptic Gregorian), after Howard Hinnant's algorithm.
    int64_t seconds = time;
    int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    int64_t rest = seconds - days * 86400;
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t day = doy - (153 * mp + 2) / 5 + 1;
    int64_t month = mp < 10 ? mp + 3 : mp - 9;
    int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    char text[80];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", (long long)year, (long long)month,
                  (long long)day, (long long)(rest / 3600), (long long)(rest / 60 % 60), (long long)(rest % 60));
    return text;
}

void PrintRegistryList(const CRegistryList& list, const char* rootName, std::ostream& out) {
    out << rootName << "\\Software";
    if (list.m_children.empty())
        out << "  (no entries)";
    out << "\n";
    PrintEntries(list.m_children, 0, out);
}

void WriteRegistryJson(CJsonWriter& json, const char* key, const CRegistryList& list) {
    WriteEntriesJson(json, key, list.m_children);
}

void PrintPackage(const PackageContents& c, const std::string& path, std::ostream& out) {
    out << path << ": setup package at offset " << c.nPackageOffset << " of " << c.nLength << " bytes\n";
    out << "title        " << c.strTitle << "\n";
    out << "description  " << c.strDescription << "\n";
    out << "bitmap       ";
    if (c.bHasBitmap)
        out << c.bitmap.nSize << " bytes (" << c.bitmap.nCompressed << " compressed)\n";
    else
        out << "none\n";
    out << "uninstaller  ";
    if (c.bHasUninstaller)
        out << c.nUninstallerLength << " bytes at offset " << c.nUninstallerOffset << "\n";
    else
        out << "none\n";
    out << "license      ";
    if (c.bHasLicense)
        out << c.license.nSize << " bytes (" << c.license.nCompressed << " compressed)\n";
    else
        out << "none\n";
    out << "files        " << c.nFileCount << ", " << uint32_t(c.nTotalBytes) << " bytes\n";
    out << "shortcuts    " << c.nShortcutCount << "\n\n";

    out << "flags  size       packed     modified (UTC)       name\n";
    out << Flags(c.bRootShortcut, c.bRootRemove) << "  " << Pad("", 43) << c.strRootName
        << "\\  (installation folder)\n";
    PrintItems(c.children, 1, out);
    out << "--" << "  " << Pad("", 43) << "(system directory)\n";
    PrintItems(c.systemItems, 1, out);
    out << "\n";
    PrintRegistryList(c.user, "HKEY_CURRENT_USER", out);
    PrintRegistryList(c.machine, "HKEY_LOCAL_MACHINE", out);
}

void WritePackageJson(const PackageContents& c, const std::string& path, std::ostream& out) {
    CJsonWriter json(out);
    json.BeginObject()
        .String("file", path)
        .Int("length", c.nLength)
        .Int("packageOffset", c.nPackageOffset)
        .String("title", c.strTitle)
        .String("description", c.strDescription);
    WriteBlockJson(json, "bitmap", c.bHasBitmap, c.bitmap);
    if (c.bHasUninstaller)
        json.BeginObject("uninstaller").Int("offset", c.nUninstallerOffset).Int("size", c.nUninstallerLength).EndObject();
    else
        json.Null("uninstaller");
    WriteBlockJson(json, "license", c.bHasLicense, c.license);
    json.Int("fileCount", c.nFileCount).Int("totalBytes", uint32_t(c.nTotalBytes));
    json.BeginObject("tree")
        .Int("offset", c.nTreeOffset)
        .Int("shortcutCount", c.nShortcutCount)
        .Int("rootType", c.nRootType)
        .String("name", c.strRootName)
        .Bool("shortcut", c.bRootShortcut != 0)
        .Bool("remove", c.bRootRemove != 0);
    WriteItemsJson(json, "children", c.children);
    WriteItemsJson(json, "systemItems", c.systemItems);
    json.EndObject();
    json.BeginObject("registry");
    WriteRegistryJson(json, "currentUser", c.user);
    WriteRegistryJson(json, "localMachine", c.machine);
    json.EndObject();
    json.EndObject();
    json.Finish();
}
