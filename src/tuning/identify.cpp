#include "tuning/identify.h"
