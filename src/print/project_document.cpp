#include "print/project_document.h"
