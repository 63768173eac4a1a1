#include "core/regional_settings.h"

namespace tarnwick {

RegionalSettings ReadRegionalSettings(platform::Platform&) { return {}; }

}  // namespace tarnwick
