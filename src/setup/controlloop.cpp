#include "setup/controlloop.h"

#include "engine/quiethost.h"
#include "engine/settingkeys.h"
#include "setup/modinifile.h"

namespace kestrel {

namespace {

/// Writes CONFIG keys of the settings file Kestrel.ini.
class ProfileSettingsWriter : public SettingsWriter {
public:
    explicit ProfileSettingsWriter(SetupDocument& document) : mDocument(document) {}
    bool writeSetting(const std::string& key, const std::string& value) override {
        return WriteProfileValue(mDocument.settingsFile(), kSettingsSection, key, value);
    }

private:
    SetupDocument& mDocument;
};

std::unique_ptr<SettingsWriter> makeWriter(ControlLoop::Settings settings, SetupDocument& document) {
    if (settings == ControlLoop::Settings::Stored)
        return std::make_unique<ProfileSettingsWriter>(document);
    return std::make_unique<DiscardedSettings>();
}

} // namespace

ControlLoop::ControlLoop(AppState& state, MessageService& messages, SetupDocument& document, Display& display,
                         RunHost& host, Settings settings)
    : mDocument(document), mSimulator(state, display, messages), mSettings(makeWriter(settings, document)),
      mRun(state, mSimulator, host, messages, *mSettings) {
    mDocument.setRunControl(&mRun);
}

ControlLoop::~ControlLoop() {
    mDocument.setRunControl(nullptr);
}

} // namespace kestrel
