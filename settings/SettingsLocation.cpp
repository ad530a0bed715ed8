#include "SettingsLocation.h"
