#include "print/page_layout.h"
