#include "ui/sheet/SheetTransfer.h"

#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "ui/sheet/ServerSettingsSheet.h"

namespace mctf {

namespace {

int32_t Bit(int32_t field, int32_t bit) { return (field & bit) != 0 ? 1 : 0; }

}  // namespace

void PagesFromSettings(ServerSettingsSheet& sheet, const ServerSettings& s) {
    GeneralPage::Values& g = sheet.generalPage.values;
    g.hostname = FixedText(s.hostname);
    g.logFileName = FixedText(s.logFileName);
    g.motd = FixedText(s.motd);
    g.rconPassword = FixedText(s.rconPassword);
    g.serverPassword = FixedText(s.serverPassword);
    g.maxClients = s.maxClients;
    g.timeLimit = s.timeLimit;
    g.maxRate = s.maxRate;
    g.fragLimit = s.fragLimit;
    g.quadFactor = s.quadFactor;
    g.weaponRespawn = s.weaponRespawn;
    g.forceRespawn = s.forceRespawn;
    g.inactivity = s.inactivity;
    g.privateServer = s.privateServer;
    g.allowVote = s.allowVote;
    g.pureServer = s.pureServer;
    g.friendlyFire = s.friendlyFire;
    g.netPort = s.netPort;
    g.cheats = s.cheats;
    g.serverType = s.serverType;
    g.captureLimit = s.captureLimit;

    DeathMatchPage::Values& d = sheet.deathMatchPage.values;
    d.noFallingDamage = Bit(s.dmFlags, DeathMatchPage::kNoFallingDamage);
    d.fixedFov = Bit(s.dmFlags, DeathMatchPage::kFixedFov);
    d.noFootsteps = Bit(s.dmFlags, DeathMatchPage::kNoFootsteps);

    BotSetupPage::Values& b = sheet.botSetupPage.values;
    b.minPlayers = s.botMinPlayers;
    b.noChat = s.botNoChat;

    MorvanePage::Values& m = sheet.morvanePage.values;
    m.goalLimit = s.goalLimit;
    m.instaGib = s.instaGib;
    m.weaponsStay = Bit(s.modFlags, MorvanePage::kWeaponsStay);
    m.randomMaps = Bit(s.modFlags, MorvanePage::kRandomMaps);
}

void SettingsFromPages(const ServerSettingsSheet& sheet, ServerSettings& s) {
    const GeneralPage::Values& g = sheet.generalPage.values;
    SetFixedText(s.hostname, g.hostname);
    SetFixedText(s.logFileName, g.logFileName);
    SetFixedText(s.motd, g.motd);
    SetFixedText(s.rconPassword, g.rconPassword);
    SetFixedText(s.serverPassword, g.serverPassword);
    s.maxClients = g.maxClients;
    s.timeLimit = g.timeLimit;
    s.maxRate = g.maxRate;
    s.fragLimit = g.fragLimit;
    s.quadFactor = g.quadFactor;
    s.weaponRespawn = g.weaponRespawn;
    s.forceRespawn = g.forceRespawn;
    s.inactivity = g.inactivity;
    s.privateServer = g.privateServer;
    s.allowVote = g.allowVote;
    s.pureServer = g.pureServer;
    s.friendlyFire = g.friendlyFire;
    s.netPort = g.netPort;
    s.cheats = g.cheats;
    s.serverType = g.serverType;
    s.captureLimit = g.captureLimit;

    const BotSetupPage::Values& b = sheet.botSetupPage.values;
    s.botMinPlayers = b.minPlayers;
    s.botNoChat = b.noChat;
    s.botSkill = b.difficulty;

    const MorvanePage::Values& m = sheet.morvanePage.values;
    s.goalLimit = m.goalLimit;
    s.instaGib = m.instaGib;
}

}  // namespace mctf
