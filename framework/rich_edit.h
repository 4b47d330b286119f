// The rich-edit control class "RICHEDIT" for dialog templates.
#pragma once

// Loads the rich-edit library from the system directory, once; it stays loaded until the
// process ends. True when the library is loaded.
bool InitRichEdit();
