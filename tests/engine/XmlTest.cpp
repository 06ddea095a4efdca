// XmlNode: case-insensitive look-ups, empty nodes for absent ones, and the parse error path.
#include "engine/Xml.h"
#include "TempDir.h"

#include <thread>

using XmlFiles = TempDirTest;

static const char* kTactics = R"(<?xml version="1.0"?>
<InitData>
  <TACTICS>
    <Tactic id="0" Name="Fast break">fast<b/>second</Tactic>
    <TACTIC id="1" name="Zone"/>
    <Other/>
  </TACTICS>
</InitData>)";

TEST(XmlNodes, TagsAndAttributesIgnoreCase) {
    XmlNode tactics = XmlNode::Parse(kTactics, "tactics");
    ASSERT_FALSE(tactics.IsEmpty());
    EXPECT_EQ(tactics.ChildCount("TACTIC"), 2);
    EXPECT_EQ(tactics.CountChildren(), 3);
    XmlNode second = tactics.ChildNode("tactic", 1);
    EXPECT_STREQ(second.Attribute("NAME").GetText(), "Zone");
    EXPECT_STREQ(tactics.ChildNode("Tactic").Attribute("name").GetText(), "Fast break");
    EXPECT_STREQ(tactics.ChildAt(2).TagName().GetText(), "Other");
    XmlNode first = tactics.ChildNode("TACTIC", 0);
    EXPECT_STREQ(first.Text(0).GetText(), "fast");
    EXPECT_STREQ(first.Text(1).GetText(), "second");
    EXPECT_TRUE(first.Text(2).IsEmpty());
}

TEST(XmlNodes, AbsentNodesChainToEmptyResults) {
    XmlNode root = XmlNode::Parse(kTactics, "InitData");
    XmlNode missing = root.ChildNode("TARGETNUMBERS").ChildNode("DATA", 3).ChildAt(0);
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_EQ(missing.CountChildren(), 0);
    EXPECT_EQ(missing.ChildCount("x"), 0);
    EXPECT_TRUE(missing.Attribute("id").IsEmpty());
    EXPECT_TRUE(missing.Text().IsEmpty());
    EXPECT_TRUE(root.ChildNode("TACTICS").ChildNode("TACTIC", -1).IsEmpty());
    EXPECT_TRUE(XmlNode::Parse(kTactics, "NoSuchRoot").IsEmpty());
}

TEST(XmlNodes, NodesOutliveTheHandleTheyCameFrom) {
    XmlNode tactic;
    {
        XmlNode root = XmlNode::Parse(kTactics, "InitData");
        tactic = root.ChildNode("TACTICS").ChildNode("TACTIC", 1);
    }
    EXPECT_STREQ(tactic.Attribute("id").GetText(), "1");
}

TEST(XmlErrors, MessageNamesFileReasonLineAndColumn) {
    std::string source = "<a>\n  <b></c>\n</a>";
    CStr text = FormatXmlParseError("ini\\Broken.xml", "Start-end tags mismatch", source, 9);
    EXPECT_STREQ(text.GetText(), "XML Parsing error inside file 'ini\\Broken.xml'.\nStart-end tags mismatch\n"
                                 "At line 2, column 6.\n  <b></c>\n     ^");
    CStr error;
    EXPECT_TRUE(XmlNode::Parse("<a><b></a>", "a", &error).IsEmpty());
    EXPECT_NE(error.Find("At line 1"), -1);
}

TEST_F(XmlFiles, OpenFileReadsAnyLetterCase) {
    Write("ini/InitData.xml", kTactics);
    XmlNode tactics = XmlNode::Parse(kTactics, "TACTICS");
    XmlNode fromFile = XmlNode::OpenFile("\\INI\\initdata.XML", "Tactics");
    EXPECT_EQ(fromFile.ChildCount("tactic"), tactics.ChildCount("tactic"));
}

TEST_F(XmlFiles, AFileThatFailsIsAnEmptyNodeAndItsReasonIsKept) {
    // Even on a worker thread a broken file must not end the process: the caller decides.
    Write("ini/Broken.xml", "<FileDescriptor>\n<KVTACTICS>\n</FileDescriptor>\n");
    const int before = XmlNode::OpenFailures();
    XmlNode broken;
    std::thread reader([&] { broken = XmlNode::OpenFile("\\ini\\Broken.xml", "FileDescriptor"); });
    reader.join();
    EXPECT_TRUE(broken.IsEmpty());
    EXPECT_EQ(XmlNode::OpenFailures(), before + 1);
    CStr text = XmlNode::LastOpenFailure();
    EXPECT_EQ(text.Find("XML Parsing error inside file '\\ini\\Broken.xml'."), 0) << text.GetText();
    EXPECT_NE(text.Find("At line 3"), -1) << text.GetText();

    EXPECT_TRUE(XmlNode::OpenFile("\\ini\\Missing.xml", "FileDescriptor").IsEmpty());
    EXPECT_EQ(XmlNode::OpenFailures(), before + 2);
    EXPECT_NE(XmlNode::LastOpenFailure().Find("could not be opened"), -1);
}
