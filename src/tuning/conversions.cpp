#include "tuning/conversions.h"
