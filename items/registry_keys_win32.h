// Creating and removing registry lists in the real registry. Results: 1 when
// everything worked, 0 when anything failed; the rest is still attempted and nothing
// is reported here.
#pragma once

#include "items/registry_entry.h"

#include <windows.h>

// Creates the list's entries below root\Software (root is HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE). An empty list touches nothing.
int CreateRegistryList(const CRegistryList& list, HKEY root);
// Visits every key depth-first below root\Software, deleting flagged values and, after
// their children, flagged keys. "Software" itself stays. An empty list touches nothing.
int RemoveRegistryList(const CRegistryList& list, HKEY root);

// A key is created or opened and its children created under it; a value is set,
// overwriting an existing one. A value type other than 0, 1, 2 fails.
int CreateRegistryEntry(const CRegistryEntry& entry, HKEY parent);
// A key is opened, its children removed, then it is deleted when flagged (a key that
// cannot be deleted is not a failure); a flagged value is deleted.
int RemoveRegistryEntry(const CRegistryEntry& entry, HKEY parent);
