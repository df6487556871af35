#include "controller/controller_features.h"

#include "calmira/win/filter_feature.h"
#include "calmira/win/reminder_feature.h"
#include "shell/win/vistrel_app.h"

void AddControllerFeatures(CVistrelApp& app) {
    // They outlive the application object, whose display list refers to the
    // filter's gamma device until it is destroyed.
    static CReminderFeature reminder;
    static CFilterFeature filter;
    // The reminder starts before the filter, as the main window's start-up has it.
    app.m_features.push_back(&reminder);
    app.m_features.push_back(&filter);
}
