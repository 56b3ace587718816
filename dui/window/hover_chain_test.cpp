// The hover chain and the controls a move leaves and enters.
#include "dui/window/hover_chain.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dui/core/panel.h"

namespace vcam::dui {
namespace {

using Controls = std::vector<Control*>;

// root > a > (a1 > a11, a2), root > b
struct Tree {
  Tree() {
    a = root.AddChild(std::make_unique<Panel>());
    b = root.AddChild(std::make_unique<Control>());
    a1 = static_cast<Panel*>(a)->AddChild(std::make_unique<Panel>());
    a2 = static_cast<Panel*>(a)->AddChild(std::make_unique<Control>());
    a11 = static_cast<Panel*>(a1)->AddChild(std::make_unique<Control>());
  }
  Panel root;
  Control *a, *b, *a1, *a2, *a11;
};

TEST(HoverChain, HoldsTheLeafAndItsAncestorsLeafFirst) {
  Tree t;
  HoverChain chain(t.a11);
  ASSERT_EQ(chain.size(), 4u);
  EXPECT_EQ(chain[0], t.a11);
  EXPECT_EQ(chain[1], t.a1);
  EXPECT_EQ(chain[2], t.a);
  EXPECT_EQ(chain[3], &t.root);
  EXPECT_EQ(chain.leaf(), t.a11);
  EXPECT_TRUE(chain.Holds(t.a));
  EXPECT_FALSE(chain.Holds(t.b));
  EXPECT_TRUE(HoverChain(nullptr).empty());
  EXPECT_EQ(HoverChain().leaf(), nullptr);
}

TEST(HoverChain, SiblingMoveLeavesTheOldChildOnlyAndEntersTheNewOne) {
  Tree t;
  const HoverChange c = DiffHoverChains(HoverChain(t.a2), HoverChain(t.a11));
  EXPECT_EQ(c.leaving, (Controls{t.a2}));
  EXPECT_EQ(c.entering, (Controls{t.a1, t.a11})) << "outermost first";
}

TEST(HoverChain, MoveAcrossBranchesLeavesOutermostFirst) {
  Tree t;
  const HoverChange c = DiffHoverChains(HoverChain(t.a11), HoverChain(t.b));
  EXPECT_EQ(c.leaving, (Controls{t.a, t.a1, t.a11}));
  EXPECT_EQ(c.entering, (Controls{t.b}));
}

TEST(HoverChain, MovingToAnAncestorOrDescendantChangesOnlyTheDifference) {
  Tree t;
  EXPECT_EQ(DiffHoverChains(HoverChain(t.a11), HoverChain(t.a)).leaving, (Controls{t.a1, t.a11}));
  EXPECT_TRUE(DiffHoverChains(HoverChain(t.a11), HoverChain(t.a)).entering.empty());
  EXPECT_EQ(DiffHoverChains(HoverChain(t.a), HoverChain(t.a11)).entering, (Controls{t.a1, t.a11}));
  const HoverChange same = DiffHoverChains(HoverChain(t.a1), HoverChain(t.a1));
  EXPECT_TRUE(same.leaving.empty());
  EXPECT_TRUE(same.entering.empty());
}

TEST(HoverChain, FromAndToNothing) {
  Tree t;
  EXPECT_EQ(DiffHoverChains(HoverChain(), HoverChain(t.a2)).entering, (Controls{&t.root, t.a, t.a2}));
  EXPECT_EQ(DiffHoverChains(HoverChain(t.a2), HoverChain()).leaving, (Controls{&t.root, t.a, t.a2}));
}

TEST(HoverChain, DeepTreeKeepsTheThirtyTwoNearestTheLeafAndStillDiffsSiblings) {
  Panel root;
  Panel* p = &root;
  for (int i = 0; i < 39; ++i) p = static_cast<Panel*>(p->AddChild(std::make_unique<Panel>()));
  Control* left = p->AddChild(std::make_unique<Control>());
  Control* right = p->AddChild(std::make_unique<Control>());
  const HoverChain chain(left);
  ASSERT_EQ(chain.size(), HoverChain::kCapacity);
  EXPECT_EQ(chain[0], left);
  EXPECT_FALSE(chain.Holds(&root));
  const HoverChange c = DiffHoverChains(chain, HoverChain(right));
  EXPECT_EQ(c.leaving, (Controls{left}));
  EXPECT_EQ(c.entering, (Controls{right}));
}

}  // namespace
}  // namespace vcam::dui
