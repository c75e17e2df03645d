// The game's application.
#include "game/my_app.h"

MyApp::~MyApp() = default;
