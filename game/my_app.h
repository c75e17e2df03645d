// MyApp: the game's application. Its one member is the game window, made
// with the application and gone with it; the framework's App does the rest.
#pragma once

#include "framework/main.h"
#include "game/my_window.h"

class MyApp : public ondra::App {
public:
    ~MyApp() override;

    MyWindow window;
};
