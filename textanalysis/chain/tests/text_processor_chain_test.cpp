// Registration, initialisation order and priority order of the chain.
#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>
#include <vector>

#include "textanalysis/chain/text_processor_chain.h"

namespace {

class NamedProcessor : public TextProcessor {
 public:
  NamedProcessor(std::string name, float priority, std::vector<std::string>& log, bool fails)
      : TextProcessor(priority), name_(std::move(name)), log_(log), fails_(fails) {}
  int Process(std::vector<TextToken>&, int, std::vector<TextToken>& out, int* consumed) override {
    out.clear();
    *consumed = 0;
    return kNotApplicable;
  }
  int Init(LinguisticResources* resources) override {
    TextProcessor::Init(resources);
    log_.push_back(name_);
    return fails_ ? 0 : 1;
  }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  std::vector<std::string>& log_;
  bool fails_;
};

class ChainTest : public ::testing::Test {
 protected:
  // One processor per slot, named after its registration.
  void Build(const std::string& failing = "") {
    for (const ChainRegistration& r : kChainRegistrations) {
      owned_.push_back(std::make_unique<NamedProcessor>(r.name, ChainPriority(r.slot), initLog_,
                                                        r.name == failing));
      processors_[static_cast<size_t>(r.slot)] = owned_.back().get();
    }
  }
  std::vector<std::string> Order() const {
    std::vector<std::string> names;
    for (TextProcessor* p : chain_.Processors())
      names.push_back(static_cast<NamedProcessor*>(p)->Name());
    return names;
  }

  std::vector<std::string> initLog_;
  std::vector<std::unique_ptr<NamedProcessor>> owned_;
  ChainProcessors processors_{};
  TextProcessorChain chain_;
};

TEST_F(ChainTest, SortedByPriorityKeepingRegistrationOrder) {
  Build();
  chain_.Register(processors_, true);
  ASSERT_TRUE(chain_.Init(nullptr));
  EXPECT_EQ(Order(), (std::vector<std::string>{
                         "PhraseProcessor", "OrdinalNumberProcessor", "CurrencyProcessor",
                         "RomanNumeralProcessor", "CardinalNumberProcessor",
                         "CyrillicAbbreviationProcessor", "LatinAbbreviationProcessor",
                         "LetterNameProcessor", "LatinToCyrillicProcessor", "YoRestoreProcessor",
                         "PassThroughProcessor", "SymbolNameProcessor", "DropWordProcessor"}));
  EXPECT_EQ(initLog_.front(), "DropWordProcessor");
  EXPECT_EQ(initLog_.size(), 13u);
}

TEST_F(ChainTest, PhraseProcessorOnlyWhenSwitchedOn) {
  Build();
  chain_.Register(processors_, false);
  ASSERT_TRUE(chain_.Init(nullptr));
  EXPECT_EQ(Order().size(), 12u);
  EXPECT_EQ(Order().front(), "OrdinalNumberProcessor");
  EXPECT_EQ(Order().back(), "DropWordProcessor");
}

TEST_F(ChainTest, InitStopsAtTheFirstFailure) {
  Build("CyrillicAbbreviationProcessor");
  chain_.Register(processors_, true);
  EXPECT_FALSE(chain_.Init(nullptr));
  EXPECT_EQ(initLog_, (std::vector<std::string>{"DropWordProcessor", "PassThroughProcessor",
                                                "LatinToCyrillicProcessor",
                                                "CardinalNumberProcessor",
                                                "CyrillicAbbreviationProcessor"}));
}

TEST(ChainPriorityTest, SinglePrecisionValues) {
  EXPECT_EQ(std::bit_cast<uint32_t>(ChainPriority(ChainSlot::YoRestore)), 0x3F8CCCCDu);
  EXPECT_EQ(std::bit_cast<uint32_t>(ChainPriority(ChainSlot::Phrase)), 0x40466666u);
  EXPECT_EQ(std::bit_cast<uint32_t>(kTranscriptionProcessorPriority), 0x40A33333u);
}

}  // namespace
