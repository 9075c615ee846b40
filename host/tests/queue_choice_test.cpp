#include "cups/queue_choice.h"

#include <gtest/gtest.h>

#include "cups/ppd_document.h"

namespace pdehost {
namespace {

TEST(QueueChoice, MakeAndModelMatchesTheModelAsWholeWords) {
  for (const char* match : {"Vemra LX4200 Color", "Vemra LX4200 Color Production Printer", "vemra  lx4200 COLOR",
                            "Vemra LX4200 Color, 1.2", "  Vemra LX4200 Color"})
    EXPECT_TRUE(isLX4200MakeAndModel(match)) << match;
  for (const char* other : {"", "Vemra LX4200", "Vemra LX4200 Colorful", "Vemra LX4200 Mono", "Vemra LX42000 Color",
                            "Generic PostScript Printer", "QVX Vemra LX4200 Color"})
    EXPECT_FALSE(isLX4200MakeAndModel(other)) << other;
}

TEST(QueueChoice, TheSampleDescriptionIsAnLX4200) {
  std::string error;
  auto ppd = PpdDocument::open(SAMPLE_PPD, &error);
  ASSERT_TRUE(ppd) << error;
  EXPECT_EQ(ppd->modelName(), kLX4200ModelName);
  // lpadmin -P takes the queue's make-and-model from the nickname.
  EXPECT_TRUE(isLX4200MakeAndModel(ppd->file()->nickname));
}

TEST(QueueChoice, ChoosesAsAPrintDialogDoes) {
  const std::string lx = "Vemra LX4200 Color Production Printer";
  std::vector<QueueInfo> queues = {{"Zurich", lx, false}, {"Office", "HP LaserJet", true}, {"Berlin", lx, false}};
  QueueChoice choice = chooseQueue(queues, std::nullopt);
  EXPECT_EQ(choice.queue, "Berlin");  // the default drives another model: the first LX4200 by name
  EXPECT_EQ(choice.lx4200Queues, (std::vector<std::string>{"Berlin", "Zurich"}));

  queues[0].isDefault = true;
  queues[1].isDefault = false;
  EXPECT_EQ(chooseQueue(queues, std::nullopt).queue, "Zurich");  // the user's default LX4200

  EXPECT_EQ(chooseQueue(queues, std::string("office")).queue, "Office");  // named, any model, any case
  EXPECT_FALSE(chooseQueue({{"Office", "HP LaserJet", true}}, std::nullopt).queue);
  EXPECT_FALSE(chooseQueue({}, std::nullopt).queue);
}

TEST(QueueChoice, AnUnknownNameListsTheQueuesThereAre) {
  const std::string lx = "Vemra LX4200 Color";
  QueueChoice choice = chooseQueue({{"B", lx, false}, {"A", lx, false}}, std::string("Nowhere"));
  EXPECT_FALSE(choice.queue);
  ASSERT_TRUE(choice.failure);
  EXPECT_EQ(english(*choice.failure), "there is no CUPS queue named \"Nowhere\"; the QVX printers here are: A B");
  choice = chooseQueue({}, std::string("Nowhere"));
  ASSERT_TRUE(choice.failure);
  EXPECT_EQ(english(*choice.failure), "there is no CUPS queue named \"Nowhere\"; " + noQueueMessage());
}

}  // namespace
}  // namespace pdehost
