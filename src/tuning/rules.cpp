#include "tuning/rules.h"
