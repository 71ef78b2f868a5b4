// Where the program's libraries come from: the system folder only, for velkari.exe and
// velkari-cli.exe alike.
#pragma once

// Every library the process loads from here on, by name or by a library's own imports, comes
// from the system folder, never from beside the program (a planted DLL in a downloads
// folder). Called first thing; linking it also brings in the load configuration that does
// the same for the imports' own imports.
void KeepLibrariesToTheSystemFolder();
