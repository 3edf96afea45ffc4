#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace zel::platform {
namespace {

using Policy = ConsoleHost::Policy;

struct PolicyCase {
  Buttons buttons;
  int defaultButton;
  Answer byDefault;
  Answer byYes;
  Answer byNo;
};

// Yes and No fall back to the default button where none of their answers is offered;
// a default button beyond the buttons is the first.
const PolicyCase kPolicyCases[] = {
    {Buttons::Ok, 0, Answer::Ok, Answer::Ok, Answer::Ok},
    {Buttons::Ok, 1, Answer::Ok, Answer::Ok, Answer::Ok},
    {Buttons::OkCancel, 0, Answer::Ok, Answer::Ok, Answer::Cancel},
    {Buttons::OkCancel, 1, Answer::Cancel, Answer::Ok, Answer::Cancel},
    {Buttons::YesNo, 0, Answer::Yes, Answer::Yes, Answer::No},
    {Buttons::YesNo, 1, Answer::No, Answer::Yes, Answer::No},
    {Buttons::YesNoCancel, 0, Answer::Yes, Answer::Yes, Answer::No},
    {Buttons::YesNoCancel, 1, Answer::No, Answer::Yes, Answer::No},
    {Buttons::YesNoCancel, 2, Answer::Cancel, Answer::Yes, Answer::No},
    {Buttons::YesNoCancel, 3, Answer::Yes, Answer::Yes, Answer::No},
    {Buttons::AbortRetryIgnore, 0, Answer::Abort, Answer::Ignore, Answer::Abort},
    {Buttons::AbortRetryIgnore, 1, Answer::Retry, Answer::Ignore, Answer::Abort},
    {Buttons::AbortRetryIgnore, 2, Answer::Ignore, Answer::Ignore, Answer::Abort},
    {Buttons::RetryCancel, 0, Answer::Retry, Answer::Retry, Answer::Cancel},
    {Buttons::RetryCancel, 1, Answer::Cancel, Answer::Cancel, Answer::Cancel},
    {Buttons::RetryCancel, -1, Answer::Retry, Answer::Retry, Answer::Cancel},
};

TEST(MessageBoxTest, EveryButtonKindAnswersByPolicy) {
  for (const PolicyCase& c : kPolicyCases) {
    SCOPED_TRACE(::testing::Message()
                 << "buttons " << static_cast<int>(c.buttons) << ", default " << c.defaultButton);
    MessageBoxRequest request{"Overwrite?", "Caption", c.buttons, Icon::Question, c.defaultButton};
    EXPECT_EQ(DefaultAnswer(request), c.byDefault);
    for (auto [policy, expected] :
         {std::pair{Policy::Default, c.byDefault}, std::pair{Policy::Yes, c.byYes},
          std::pair{Policy::No, c.byNo}}) {
      ConsoleHost host(policy);
      ::testing::internal::CaptureStderr();
      const Answer answer = host.show(request);
      const std::string printed = ::testing::internal::GetCapturedStderr();
      EXPECT_EQ(answer, expected) << "policy " << static_cast<int>(policy);
      EXPECT_EQ(printed, "Caption: Overwrite?\n");
    }
  }
}

TEST(MessageBoxTest, ConsoleHostKeepsLineBreaksAndUsesItsTitleForNoCaption) {
  struct Case {
    std::string appTitle;
    std::string caption;
    std::string text;
    std::string printed;
  };
  const Case cases[] = {
      {"ZEL", "", "Please enter a project path.", "ZEL: Please enter a project path.\n"},
      {"zelc", "", "a", "zelc: a\n"},
      {"ZEL", "Telvane Error", "Cannot access remote KZC controller",
       "Telvane Error: Cannot access remote KZC controller\n"},
      {"ZEL", "", "'x.awl'\n\nFailed to open this program.",
       "ZEL: 'x.awl'\n\nFailed to open this program.\n"},
  };
  for (const Case& c : cases) {
    ConsoleHost host(Policy::Default, c.appTitle);
    ::testing::internal::CaptureStderr();
    host.show(MessageBoxRequest{c.text, c.caption});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.printed);
  }
}

// Installs a scripted host for one case and puts the previous host back.
class ScriptedMessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = GetMessageBoxHost();
    SetMessageBoxHost(m_host);
  }
  void TearDown() override { SetMessageBoxHost(m_previous); }

  std::shared_ptr<ScriptedHost> m_host = std::make_shared<ScriptedHost>();

 private:
  std::shared_ptr<MessageBoxHost> m_previous;
};

TEST_F(ScriptedMessageBoxTest, AnswersInOrderThenByTheDefaultButton) {
  m_host->push(Answer::No);
  m_host->push(Answer::Retry);
  EXPECT_EQ(ShowMessageBox("first", Buttons::YesNo), Answer::No);
  EXPECT_EQ(ShowMessageBox("second", Buttons::RetryCancel, Icon::Error), Answer::Retry);
  EXPECT_EQ(ShowMessageBox(MessageBoxRequest{"third", "", Buttons::YesNoCancel, Icon::None, 2}),
            Answer::Cancel);
  EXPECT_EQ(m_host->texts(), (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(ScriptedMessageBoxTest, RecordsRequestsWithTheApplicationTitleForNoCaption) {
  ShowMessageBox("Cannot load", Buttons::Ok, Icon::Warning);
  ShowMessageBox("Busy", Buttons::OkCancel, Icon::Error, "Telvane Error");
  const std::vector<MessageBoxRequest> shown = m_host->shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].caption, "ZEL");
  EXPECT_EQ(shown[0].icon, Icon::Warning);
  EXPECT_EQ(shown[0].buttons, Buttons::Ok);
  EXPECT_EQ(shown[1].caption, "Telvane Error");
  EXPECT_EQ(shown[1].buttons, Buttons::OkCancel);
  m_host->clear();
  EXPECT_TRUE(m_host->shown().empty());
}

TEST_F(ScriptedMessageBoxTest, WorkersMayAskAtTheSameTime) {
  constexpr int kThreads = 4;
  constexpr int kQuestions = 200;
  for (int i = 0; i < kThreads * kQuestions; ++i) {
    m_host->push(Answer::Yes);
  }
  std::vector<std::thread> threads;
  std::vector<int> yes(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&yes, t] {
      for (int i = 0; i < kQuestions; ++i) {
        yes[t] += ShowMessageBox("Overwrite?", Buttons::YesNo) == Answer::Yes ? 1 : 0;
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(yes, std::vector<int>(kThreads, kQuestions));
  EXPECT_EQ(m_host->texts().size(), static_cast<std::size_t>(kThreads * kQuestions));
  // The script is used up: the default button answers now.
  EXPECT_EQ(ShowMessageBox("again", Buttons::YesNo), Answer::Yes);
  EXPECT_EQ(ShowMessageBox(MessageBoxRequest{"again", "", Buttons::YesNo, Icon::None, 1}),
            Answer::No);
}

TEST(MessageBoxHostTest, WithoutAHostAConsoleHostAnswers) {
  const std::shared_ptr<MessageBoxHost> previous = GetMessageBoxHost();
  SetMessageBoxHost(nullptr);
  const std::shared_ptr<MessageBoxHost> host = GetMessageBoxHost();
  ASSERT_NE(host, nullptr);
  EXPECT_NE(dynamic_cast<ConsoleHost*>(host.get()), nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ShowMessageBox("Proceed?", Buttons::OkCancel), Answer::Ok);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "ZEL: Proceed?\n");
  ::testing::internal::CaptureStderr();
  ShowMessageBox(
      "'Ventil gr\xF6\xDF"
      "er'\n\nDo you really want to delete the program?");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "ZEL: 'Ventil gr\xC3\xB6\xC3\x9F"
            "er'\n\nDo you really want to delete the program?\n");
  SetMessageBoxHost(previous);
}

}  // namespace
}  // namespace zel::platform
