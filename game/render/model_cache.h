// ModelCache: 3DS models by file name, loaded once and owned by the cache.
// It remembers why a model would not load, where the map listed it and who
// is asking, so that a model that cannot be had is explained on standard
// error beside the lookup's message.
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
    // The same, for a name a map lists at `where` ("map.txt:3").
    bool LoadListed(const std::string& fileName, const std::string& where);
    // Who the lookups from now on are for ("map.txt:57: KEY"), named when
    // a model cannot be had; empty for no one in particular.
    void SetUser(const std::string& user) { currentUser = user; }
    // The cached model. A name that was never loaded means the game's files
    // do not match its map: the message is printed, with the reason on
    // standard error, and the program ends with exit status 1.
    ondra::Model* Lookup(const std::string& fileName) const;
    // From now on Fetch loads nothing itself: a map's objects use only the
    // models its "models" entries loaded before them, as map-check requires.
    void UseListedOnly() { listedOnly = true; }
    bool UsesListedOnly() const { return listedOnly; }
    // Loads the model on first use (unless UseListedOnly), looks it up
    // (ending the program as Lookup does when it cannot be had) and sets
    // its scale. Every user of a model sets the same scale for it.
    ondra::Model* Fetch(const std::string& fileName, float scale);
    // Draws every model once, in name order, so that each one's GL
    // resources exist before the first frame.
    void DrawAll() const;
    // The furthest any cached model reaches from its origin, in any
    // direction and at any turn.
    float LargestReach() const;

private:
    [[noreturn]] void ExitWithoutModel(const std::string& fileName) const;

    std::map<std::string, std::unique_ptr<ondra::Model>> models;
    std::map<std::string, std::string> whyNotLoaded;  // by name, of each load that failed
    std::map<std::string, std::string> listedAt;      // by name: where a map listed it
    std::string currentUser;
    bool listedOnly = false;
};
