#include "tools/manifest.h"

#include "package/package_string.h"
#include "tools/disk.h"
#include "tools/tool_error.h"

#include <toml++/toml.h>

#include <cstdint>
#include <initializer_list>
#include <set>

namespace {

class CManifestReader {
public:
    explicit CManifestReader(const std::string& path) : m_strPath(path), m_strBase(DirectoryOf(path)) {}

    [[noreturn]] void Fail(const toml::node* node, const std::string& message) const {
        std::string where = m_strPath;
        if (node && node->source().begin.line > 0)
            where += ":" + std::to_string(node->source().begin.line);
        throw CToolError(kExitInput, where + ": " + message);
    }

    std::string Where(const toml::node& node, const std::string& table) const {
        return m_strPath + ":" + std::to_string(node.source().begin.line) + " (" + table + ")";
    }

    void OnlyKeys(const toml::table& table, const std::string& name, std::initializer_list<const char*> keys) const {
        for (const auto& [key, value] : table) {
            bool known = false;
            for (const char* k : keys)
                known = known || key.str() == k;
            if (!known)
                Fail(&value, "unknown key '" + std::string(key.str()) + "' in " + name);
        }
    }

    const toml::table* Table(const toml::table& parent, const char* key, const std::string& name) const {
        const toml::node* node = parent.get(key);
        if (!node)
            return nullptr;
        if (!node->is_table())
            Fail(node, name + " must be a table");
        return node->as_table();
    }

    // The tables of an array of tables ([[name]]).
    std::vector<const toml::table*> Tables(const toml::table& parent, const char* key, const std::string& name) const {
        std::vector<const toml::table*> tables;
        const toml::node* node = parent.get(key);
        if (!node)
            return tables;
        const toml::array* array = node->as_array();
        if (!array)
            Fail(node, name + " must be an array of tables ([[" + name + "]])");
        for (const toml::node& element : *array) {
            if (!element.is_table())
                Fail(&element, name + " must hold tables");
            tables.push_back(element.as_table());
        }
        return tables;
    }

    std::optional<std::string> String(const toml::table& table, const char* key, const std::string& name) const {
        const toml::node* node = table.get(key);
        if (!node)
            return std::nullopt;
        if (!node->is_string())
            Fail(node, name + "." + key + " must be a string");
        std::string value = node->value<std::string>().value_or("");
        if (value.size() > kMaxPackageString)
            Fail(node, name + "." + key + " is " + std::to_string(value.size()) +
                           " characters long; a package string holds at most 256");
        return value;
    }

    std::optional<bool> Bool(const toml::table& table, const char* key, const std::string& name) const {
        const toml::node* node = table.get(key);
        if (!node)
            return std::nullopt;
        if (!node->is_boolean())
            Fail(node, name + "." + key + " must be true or false");
        return node->value<bool>();
    }

    std::optional<int64_t> Integer(const toml::table& table, const char* key, const std::string& name) const {
        const toml::node* node = table.get(key);
        if (!node)
            return std::nullopt;
        if (!node->is_integer())
            Fail(node, name + "." + key + " must be an integer");
        return node->value<int64_t>();
    }

    std::vector<std::string> Strings(const toml::table& table, const char* key, const std::string& name) const {
        std::vector<std::string> values;
        const toml::node* node = table.get(key);
        if (!node)
            return values;
        const toml::array* array = node->as_array();
        if (!array)
            Fail(node, name + "." + key + " must be an array of strings");
        for (const toml::node& element : *array) {
            if (!element.is_string())
                Fail(&element, name + "." + key + " must hold strings");
            values.push_back(element.value<std::string>().value_or(""));
        }
        return values;
    }

    // A path in the manifest, taken relative to the manifest's folder.
    std::optional<std::string> FilePath(const toml::table& table, const char* key, const std::string& name) const {
        const toml::node* node = table.get(key);
        if (!node)
            return std::nullopt;
        if (!node->is_string())
            Fail(node, name + "." + key + " must be a path");
        return Resolve(node->value<std::string>().value_or(""));
    }

    std::string Resolve(const std::string& path) const {
        bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'));
        return absolute ? path : JoinPath(m_strBase, path);
    }

    void ReadTree(const toml::table& top, const char* key, TreeEntries& entries) const {
        const toml::table* tree = Table(top, key, key);
        if (!tree)
            return;
        std::string name = key;
        if (name == "install")
            OnlyKeys(*tree, name, {"name", "shortcut", "remove", "add", "set"});
        else
            OnlyKeys(*tree, name, {"add", "set"});
        for (const toml::table* add : Tables(*tree, "add", name + ".add")) {
            std::string table = name + ".add";
            OnlyKeys(*add, table, {"source", "target", "name", "include", "exclude", "shortcut", "remove"});
            TreeAdd entry;
            entry.strWhere = Where(*add, table);
            entry.source = FilePath(*add, "source", table);
            entry.strTarget = String(*add, "target", table).value_or("");
            entry.name = String(*add, "name", table);
            entry.include = Strings(*add, "include", table);
            entry.exclude = Strings(*add, "exclude", table);
            entry.bShortcut = Bool(*add, "shortcut", table).value_or(false);
            entry.bRemove = Bool(*add, "remove", table).value_or(true);
            if (!entry.source && entry.strTarget.empty())
                Fail(add, table + " needs a source, or a target folder to create");
            entries.adds.push_back(std::move(entry));
        }
        for (const toml::table* set : Tables(*tree, "set", name + ".set")) {
            std::string table = name + ".set";
            OnlyKeys(*set, table, {"path", "shortcut", "remove"});
            TreeSet entry;
            entry.strWhere = Where(*set, table);
            std::optional<std::string> path = String(*set, "path", table);
            if (!path || path->empty())
                Fail(set, table + " needs a path pattern");
            entry.strPath = *path;
            entry.shortcut = Bool(*set, "shortcut", table);
            entry.remove = Bool(*set, "remove", table);
            entries.sets.push_back(std::move(entry));
        }
    }

    void ReadRegistry(const toml::table& top, Manifest& manifest) const {
        const toml::table* registry = Table(top, "registry", "registry");
        if (!registry)
            return;
        OnlyKeys(*registry, "registry", {"current_user", "local_machine"});
        ReadRegistryList(*registry, "current_user", manifest.user);
        ReadRegistryList(*registry, "local_machine", manifest.machine);
    }

    void ReadRegistryList(const toml::table& registry, const char* key, CRegistryList& list) const {
        std::string name = std::string("registry.") + key;
        for (const toml::table* entry : Tables(registry, key, name)) {
            OnlyKeys(*entry, name, {"key", "remove", "values"});
            std::string path = String(*entry, "key", name).value_or("");
            bool remove = Bool(*entry, "remove", name).value_or(true);
            CRegistryEntry* parent = &list;
            if (!path.empty()) {
                size_t start = 0;
                for (;;) {
                    size_t end = path.find('\\', start);
                    std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
                    if (part.empty())
                        Fail(entry, name + ".key '" + path + "' has an empty component");
                    bool last = end == std::string::npos;
                    parent = ChildKey(*parent, part, last ? std::optional<bool>(remove) : std::nullopt);
                    if (last)
                        break;
                    start = end + 1;
                }
            }
            const toml::node* values = entry->get("values");
            if (!values)
                continue;
            const toml::array* array = values->as_array();
            if (!array)
                Fail(values, name + ".values must be an array of tables");
            for (const toml::node& element : *array) {
                if (!element.is_table())
                    Fail(&element, name + ".values must hold tables");
                parent->m_children.push_back(ReadValue(*element.as_table(), name + ".values"));
            }
        }
    }

    // The child key named part, made when missing. A key declared itself takes its
    // remove flag; a parent made only on the way keeps 0 unless declared elsewhere.
    static CRegistryEntry* ChildKey(CRegistryEntry& parent, const std::string& part, std::optional<bool> remove) {
        for (auto& child : parent.m_children) {
            if (child->IsKey() && child->m_strName == part) {
                if (remove)
                    child->m_bRemove = *remove ? 1 : 0;
                return child.get();
            }
        }
        auto key = std::make_unique<CRegistryEntry>();
        key->m_nType = kRegEntryKey;
        key->m_strName = part;
        key->m_bRemove = remove.value_or(false) ? 1 : 0;
        parent.m_children.push_back(std::move(key));
        return parent.m_children.back().get();
    }

    std::unique_ptr<CRegistryEntry> ReadValue(const toml::table& table, const std::string& name) const {
        OnlyKeys(table, name, {"name", "string", "number", "generated", "remove"});
        auto entry = std::make_unique<CRegistryEntry>();
        entry->m_nType = kRegEntryValue;
        entry->m_strName = String(table, "name", name).value_or("");
        entry->m_bRemove = Bool(table, "remove", name).value_or(true) ? 1 : 0;
        entry->m_pValue = std::make_unique<RegValue>();
        RegValue& value = *entry->m_pValue;
        int kinds = 0;
        if (std::optional<std::string> text = String(table, "string", name)) {
            value.nType = kRegValueString;
            value.strText = *text;
            ++kinds;
        }
        if (std::optional<int64_t> number = Integer(table, "number", name)) {
            if (*number < INT32_MIN || *number > int64_t(UINT32_MAX))
                Fail(table.get("number"), name + ".number does not fit in 32 bits");
            value.nType = kRegValueNumber;
            value.nNumber = int32_t(uint32_t(*number));
            ++kinds;
        }
        if (std::optional<int64_t> length = Integer(table, "generated", name)) {
            if (*length < 0 || *length > 24)
                Fail(table.get("generated"), name + ".generated must be a length from 0 to 24");
            value.nType = kRegValueGenerated;
            value.nLength = int32_t(*length);
            ++kinds;
        }
        if (kinds != 1)
            Fail(&table, name + " needs exactly one of string, number or generated");
        return entry;
    }

private:
    std::string m_strPath;
    std::string m_strBase;
};

}  // namespace

void LoadManifest(const std::string& path, Manifest& manifest) {
    CManifestReader reader(path);
    toml::table top;
    try {
        top = toml::parse_file(path);
    } catch (const toml::parse_error& error) {
        std::string message = path;
        if (error.source().begin.line > 0)
            message += ":" + std::to_string(error.source().begin.line);
        throw CToolError(kExitInput, message + ": " + std::string(error.description()));
    }
    reader.OnlyKeys(top, "the manifest",
                    {"title", "description", "bitmap", "license", "stub", "uninstaller", "install", "system",
                     "registry"});
    manifest.strPath = path;
    manifest.strTitle = reader.String(top, "title", "manifest").value_or("");
    if (manifest.strTitle.empty())
        reader.Fail(nullptr, "the manifest needs a title");
    manifest.strDescription = reader.String(top, "description", "manifest").value_or("");
    manifest.bitmap = reader.FilePath(top, "bitmap", "manifest");
    manifest.license = reader.FilePath(top, "license", "manifest");
    manifest.stub = reader.FilePath(top, "stub", "manifest");
    if (const toml::node* uninstaller = top.get("uninstaller")) {
        if (uninstaller->is_boolean() && !uninstaller->value<bool>().value_or(true))
            manifest.bNoUninstaller = true;
        else
            manifest.uninstaller = reader.FilePath(top, "uninstaller", "manifest");
    }

    manifest.strRootName = manifest.strTitle;
    if (const toml::table* install = reader.Table(top, "install", "install")) {
        manifest.strRootName = reader.String(*install, "name", "install").value_or(manifest.strTitle);
        manifest.bRootShortcut = reader.Bool(*install, "shortcut", "install").value_or(false);
        manifest.bRootRemove = reader.Bool(*install, "remove", "install").value_or(true);
    }
    reader.ReadTree(top, "install", manifest.install);
    reader.ReadTree(top, "system", manifest.system);
    reader.ReadRegistry(top, manifest);
}
