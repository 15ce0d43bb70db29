#include "app/instance_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace rimfold::app {
namespace {

TEST(InstanceRules, WhoMayRunBesideWhom) {
  struct Case {
    const char* name;
    bool adminRunning, normalRunning, isAdmin, nonResident;
    bool run;
  };
  const Case cases[] = {
      {"alone", false, false, false, false, true},
      {"alone elevated", false, false, true, false, true},
      {"alone one-shot", false, false, false, true, true},
      {"second normal copy", false, true, false, false, false},
      {"second copy with /Q, not elevated", false, true, false, true, false},
      {"elevated resident beside normal", false, true, true, false, false},
      {"elevated /Q beside normal", false, true, true, true, true},
      {"anything beside elevated", true, false, false, false, false},
      {"elevated /Q beside elevated", true, false, true, true, false},
      {"elevated /Q beside both", true, true, true, true, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const InstanceDecision d =
        decideInstance(k.adminRunning, k.normalRunning, k.isAdmin, k.nonResident);
    EXPECT_EQ(d.run, k.run);
    if (k.run) {
      ASSERT_NE(d.mutexName, nullptr);
      EXPECT_EQ(std::u16string_view(d.mutexName),
                k.isAdmin ? u"Rimfold_Admin/Quenbrook" : u"Rimfold/Quenbrook");
    }
  }
}

// Two copies past the look-up at the same instant: the one whose mutex already existed
// asks the table again.
TEST(InstanceRules, MutexFoundAlreadyCreated) {
  struct Case {
    const char* name;
    bool isAdmin, nonResident, otherRunning;
    bool run;
  };
  const Case cases[] = {
      {"two normal copies", false, false, false, false},
      {"two normal one-shot copies", false, true, false, false},
      {"two elevated one-shot copies", true, true, false, false},
      {"two elevated one-shot copies beside a normal one", true, true, true, false},
      {"two normal copies while an elevated one started", false, false, true, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const InstanceDecision first = decideInstance(false, false, k.isAdmin, k.nonResident);
    ASSERT_TRUE(first.run);
    EXPECT_EQ(decideOnExistingMutex(first, k.otherRunning, k.isAdmin, k.nonResident).run, k.run);
  }
}

// A standard user's look-up of the elevated copy's mutex, by how OpenMutexW ended.
TEST(InstanceRules, AStandardUserBesideAnElevatedCopy) {
  const struct {
    MutexOpen adminMutex;
    bool run;
  } cases[] = {
      {MutexOpen::Opened, false},
      {MutexOpen::AccessDenied, false},  // the elevated copy's mutex is not ours to open
      {MutexOpen::NotFound, true},
      {MutexOpen::OtherError, true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.adminMutex));
    EXPECT_EQ(decideInstance(mutexRunning(k.adminMutex), false, false, false).run, k.run);
  }
}

TEST(InstanceRules, NonResidentArgumentIsExactlySlashQ) {
  struct Case {
    const char16_t* argument;
    bool expected;
  };
  const Case cases[] = {
      {u"/Q", true},  {u"/q", false}, {u"/Q ", false},  {u"/QQ", false},
      {u"-Q", false}, {u"", false},   {nullptr, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(&k - cases));
    EXPECT_EQ(isNonResidentArgument(k.argument), k.expected);
  }
}

}  // namespace
}  // namespace rimfold::app
