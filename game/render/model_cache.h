// ModelCache: 3DS models by file name, loaded once and owned by the cache.
#pragma once

#include <map>
#include <memory>
#include <string>

namespace ondra {
class Model;
}

class ModelCache {
public:
    ModelCache();
    ~ModelCache();

    ModelCache(const ModelCache&) = delete;
    ModelCache& operator=(const ModelCache&) = delete;

    // Reads the model unless the name is already cached; a file that cannot
    // be read stores nothing. True when the name is cached afterwards.
    bool Load(const std::string& fileName);
    // The cached model. A name that was never loaded means the game's files
    // do not match its map: the message is printed and the program ends
    // with exit status 1.
    ondra::Model* Lookup(const std::string& fileName) const;
    // Loads the model on first use, looks it up (ending the program as
    // Lookup does when it cannot be had) and sets its scale. Every user of
    // a model sets the same scale for it.
    ondra::Model* Fetch(const std::string& fileName, float scale);
    // Draws every model once, in name order, so that each one's GL
    // resources exist before the first frame.
    void DrawAll() const;
    // The furthest any cached model reaches from its origin, in any
    // direction and at any turn.
    float LargestReach() const;

private:
    std::map<std::string, std::unique_ptr<ondra::Model>> models;
};
