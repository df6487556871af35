#pragma once
// The break reminder and the screen filter, handed to the application as
// resident features of its main window.
class CVistrelApp;

void AddCalmiraFeatures(CVistrelApp& app);
