#pragma once

#include <thread>

// Reading the font configuration and its caches is one of the largest costs
// before the first frame. Begun on a thread of its own as the program starts,
// it runs while the main thread loads the platform and claims the single
// instance, and is waited for before the first text is measured: two
// threads asking for it at once would each read it all.
class FontSetUp {
public:
    FontSetUp();
    ~FontSetUp();
    FontSetUp(const FontSetUp&) = delete;
    FontSetUp& operator=(const FontSetUp&) = delete;

    void finish();

private:
    std::thread thread_;
};
