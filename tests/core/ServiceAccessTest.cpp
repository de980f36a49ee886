// What the account of the systemd units may do, judged from owners, groups
// and modes (a made-up tree), with the command that mends each problem; and
// the server morvane.sh would find, in its order.
#include <gtest/gtest.h>

#include "core/ServerFiles.h"
#include "core/ServiceAccess.h"
#include "tests/core/FaultyFiles.h"

namespace mctf::testing {
namespace {

using Tree = std::vector<std::tuple<std::string, FileKind, long long, long long, int>>;

void Plant(FaultyFiles& files, const Tree& tree) {
    for (const auto& [path, kind, owner, group, mode] : tree)
        files.FakeStatus(path, {kind, false, 0, mode, owner, group});
}

constexpr FileKind D = FileKind::Folder, F = FileKind::Regular;
const Account quake3{"quake3", "quake3", 100, 100, {33}}, root{"root", "root", 0, 0, {}};
// clang-format off
const Tree server = {{"/", D, 0, 0, 0755}, {"/home", D, 0, 0, 0755}, {"/home/ann", D, 1000, 1000, 0700},
    {"/home/ann/q 3", D, 1000, 1000, 0755}, {"/home/ann/q 3/config.dmc", F, 1000, 1000, 0600},
    {"/srv", D, 0, 0, 0755}, {"/srv/q3", D, 0, 0, 0755}, {"/srv/q3/morvane", D, 100, 0, 0557},
    {"/srv/q3/morvane.sh", F, 100, 100, 0755}, {"/srv/q3/ioq3ded", F, 0, 0, 0700},
    {"/www", D, 0, 33, 0770}, {"/www/q3", D, 0, 0, 0755}};
const ServicePaths paths{"/home/ann/q 3/config.dmc/", "", "/srv/q3/morvane.sh", "/srv/q3/ioq3ded",
                         "/srv/q3", "/srv/q3/morvane", "/www/it's"};
// clang-format on

TEST(ServiceAccess, ProblemsAndTheirFixes) {
    FaultyFiles files;
    Plant(files, server);
    const std::vector<std::tuple<std::string, std::string, std::string>> want = {
        {"/home/ann", "cannot pass through this folder to read the settings file",
         "chmod o+x /home/ann"},
        {"/home/ann/q 3/config.dmc", "cannot read the settings file",
         "chown :quake3 '/home/ann/q 3/config.dmc' && chmod g+r '/home/ann/q 3/config.dmc'"},
        {"/srv/q3/ioq3ded", "cannot run the dedicated server", "chmod o+x /srv/q3/ioq3ded"},
        {"/srv/q3", "cannot write the game folder", "chown quake3 /srv/q3"},
        {"/srv/q3/morvane", "cannot write the log folder", "chmod u+w /srv/q3/morvane"},
        {"/www/it's", "cannot make the pages folder: the statistics may write only what is there",
         "install -d -o quake3 '/www/it'\\''s'"}};
    std::vector<std::tuple<std::string, std::string, std::string>> got;
    for (const AccessProblem& p : ServiceAccessProblems(files, quake3, paths))
        got.emplace_back(p.path, p.problem, p.fix);
    EXPECT_EQ(got, want);
    // Root passes all but the missing folder; a group's folder is its members'.
    EXPECT_EQ(ServiceAccessProblems(files, root, paths).size(), 1u);
    ServicePaths pages;
    pages.pages = "/www/q3";
    EXPECT_EQ(ServiceAccessProblems(files, quake3, pages).at(0).fix, "chown quake3 /www/q3");
    pages.pages = "/www";
    EXPECT_TRUE(ServiceAccessProblems(files, quake3, pages).empty());
}

TEST(ServiceAccess, ServerFoundAsMorvaneShFindsIt) {
    FaultyFiles files;
    Plant(files, {{"/g/ioq3ded.x86_64", F, 100, 100, 0644},
                  {"/g/ioq3ded", F, 100, 100, 0700},
                  {"/g/q3ded", F, 0, 0, 0755},
                  {"/bin/ioq3ded", F, 0, 0, 0755},
                  {kDebianServerPath, F, 0, 0, 0755}});
    // Each row changes the tree of the rows before.
    const std::tuple<Tree, Account, std::string> rows[] = {
        {{}, quake3, "/g/ioq3ded"},  // before q3ded; ioq3ded.x86_64 it may not run
        {{{"/g/ioq3ded", F, 0, 0, 0700}}, quake3, "/g/q3ded"},
        {{{"/g/ioq3ded", F, 0, 0, 0}}, root, "/g/q3ded"},  // root runs what someone may run
        {{{"/g/q3ded", D, 0, 0, 0755}}, quake3, "/bin/ioq3ded"},
        {{{"/bin/ioq3ded", D, 0, 0, 0755}}, quake3, kDebianServerPath},
        {{{kDebianServerPath, F, 0, 0, 0750}}, quake3, ""},
    };
    for (const auto& [tree, account, found] : rows) {
        Plant(files, tree);
        EXPECT_EQ(FoundDedicatedServer(files, account, "/g/", "/nowhere:/bin"), found);
    }
}

}  // namespace
}  // namespace mctf::testing
