// What the account of the systemd units may do, judged from owners, groups and
// modes of a made-up tree, with the commands that mend it; the server morvane.sh finds.
#include <gtest/gtest.h>

#include "core/ServerFiles.h"
#include "core/ServiceAccess.h"
#include "tests/core/FaultyFiles.h"

namespace mctf::testing {
namespace {

using Tree = std::vector<std::tuple<std::string, FileKind, long long, long long, int>>;
constexpr FileKind D = FileKind::Folder, F = FileKind::Regular;
const Account quake3{"quake3", "quake3", 100, 100, {33}}, root{"root", "root", 0, 0, {}};

void Plant(FaultyFiles& files, const Tree& tree) {
    for (const auto& [path, kind, owner, group, mode] : tree)
        files.FakeStatus(path, {kind, false, 0, mode, owner, group});
}

TEST(ServiceAccess, ProblemsAndTheirFixes) {
    FaultyFiles files;
    // clang-format off
    Plant(files, {{"/", D, 0, 0, 0755}, {"/home", D, 0, 0, 0755}, {"/home/ann", D, 1000, 0, 0700},
        {"/home/ann/q 3", D, 1000, 0, 0755}, {"/home/ann/q 3/config.dmc", F, 1000, 0, 0600},
        {"/srv", D, 0, 0, 0755}, {"/srv/q3", D, 0, 0, 0755}, {"/srv/q3/morvane", D, 100, 0, 0557},
        {"/srv/q3/morvane.sh", F, 100, 100, 0755}, {"/srv/q3/ioq3ded", F, 0, 0, 0700},
        {"/www", D, 0, 33, 0770}, {"/www/q3", D, 0, 0, 0755}});
    ServicePaths paths{"/home/ann/q 3/config.dmc/", "", "/srv/q3/morvane.sh", "/srv/q3/ioq3ded",
        "/srv/q3", "/srv/q3/morvane", "/www/it's"};
    std::vector<std::string> fixes, want = {"chmod o+x /home/ann",  // and none twice
        "chown :quake3 '/home/ann/q 3/config.dmc' && chmod g+r '/home/ann/q 3/config.dmc'",
        "chmod o+x /srv/q3/ioq3ded", "chown quake3 /srv/q3", "chmod u+w /srv/q3/morvane",
        "install -d -o quake3 '/www/it'\\''s'", "chown quake3 /www/q3"};
    // clang-format on
    EXPECT_EQ(ServiceAccessProblems(files, root, paths).size(), 1u);  // only the missing folder
    for (const ServicePaths& at : {paths, ServicePaths{"", "", "", "", "", "", "/www/q3"}})
        for (const AccessProblem& p : ServiceAccessProblems(files, quake3, at))
            fixes.push_back(p.fix);
    EXPECT_EQ(fixes, want);
}

TEST(ServiceAccess, ServerFoundAsMorvaneShFindsIt) {
    FaultyFiles files;
    // clang-format off
    const std::tuple<Tree, Account, std::string> rows[] = {  // each changes the tree before it
        {{{"/g/ioq3ded.x86_64", F, 100, 100, 0644}, {"/g/ioq3ded", F, 100, 100, 0700},
          {"/g/q3ded", F, 0, 0, 0755}, {"/bin/ioq3ded", F, 0, 0, 0755},
          {kDebianServerPath, F, 0, 0, 0755}}, quake3, "/g/ioq3ded"},  // not x86_64, nor q3ded
        {{{"/g/ioq3ded", F, 0, 0, 0700}}, quake3, "/g/q3ded"},
        {{{"/g/ioq3ded", F, 0, 0, 0}}, root, "/g/q3ded"},  // root runs what someone may run
        {{{"/g/q3ded", D, 0, 0, 0755}}, quake3, "/bin/ioq3ded"},
        {{{"/bin/ioq3ded", D, 0, 0, 0755}}, quake3, kDebianServerPath},
        {{{kDebianServerPath, F, 0, 0, 0750}}, quake3, ""}};
    // clang-format on
    for (const auto& [tree, account, found] : rows) {
        Plant(files, tree);
        EXPECT_EQ(FoundDedicatedServer(files, account, "/g/", "/nowhere:/bin"), found);
    }
}

}  // namespace
}  // namespace mctf::testing
