#include "tuning/relay.h"
