#include "FlowLog.h"

Q_LOGGING_CATEGORY(flowLog, "tolvanmere.flow")
