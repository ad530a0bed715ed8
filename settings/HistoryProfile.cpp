#include "HistoryProfile.h"
