#include "editor/text_formats.h"
