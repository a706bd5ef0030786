#pragma once

#include <future>
#include <thread>

// Reading the font configuration and listing the fonts is one of the largest
// costs before the first frame. Begun on a thread of its own as the program
// starts, it runs while the main thread loads the platform, claims the single
// instance and begins the window.
class FontSetUp {
public:
    FontSetUp();
    ~FontSetUp();
    FontSetUp(const FontSetUp&) = delete;
    FontSetUp& operator=(const FontSetUp&) = delete;

    // The application object exists: the fonts are listed for it next.
    void applicationMade();
    // Waits for the configuration: two threads asking for it at once would
    // each read it all. Qt waits for its own list of fonts by itself.
    void awaitConfiguration();
    // Waits for the thread; before the application object goes.
    void finish();

private:
    std::promise<bool> application_; // true: made, false: none to list fonts for
    bool applicationTold_ = false;
    std::shared_future<void> configured_;
    std::thread thread_;
};
