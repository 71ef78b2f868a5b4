// The list field of the input query dialogs; everything it adds is in its header.
#include "list_combo_box.h"
