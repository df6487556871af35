#pragma once
// The resident features of the controller's main window: the break reminder and
// the screen filter.
class CVistrelApp;

void AddControllerFeatures(CVistrelApp& app);
