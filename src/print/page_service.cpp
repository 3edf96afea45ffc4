#include "print/page_service.h"
