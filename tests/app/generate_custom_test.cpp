// generate --persist and --add end to end: property values saved with the
// control, and members the specification control does not have.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generate_fixture.h"

namespace qfw::testing {
namespace {

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

class GenerateCustomTest : public GenerateTest {
  protected:
    std::vector<std::string> Args(std::vector<std::string> extra) const {
        std::vector<std::string> args = {
            File("LabeledEdit.vbp"), "--spec", File("QUILLEDIT.OCX"), "--date", "2024-01-05", "-q"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    std::string Control() const { return ReadBytes(File("LabeledEdit.ctl")); }
};

TEST_F(GenerateCustomTest, PersistSavesEveryGeneratedPropertyOnceAndASecondRunAddsNothing) {
    const std::vector<std::string> args =
        Args({"--select-all", "--persist", "--order", "TextBox,Label,Dial", "--map",
              "property:TextBox,Label:BackColor"});
    const Outcome run = Run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = Control();
    ExpectCompiles(File("LabeledEdit.ctl"), ExampleEvents());
    const char* const once[] = {
        "    txtValue.Text = PropBag.ReadProperty(\"Text\", \"\")\r\n",
        "    Call PropBag.WriteProperty(\"Text\", txtValue.Text, \"\")\r\n",
        "    dlLevel.Value = PropBag.ReadProperty(\"Value\", 0 )\r\n",
        "    txtValue.Enabled = PropBag.ReadProperty(\"Enabled\", False )\r\n",
        "    Set Font = PropBag.ReadProperty(\"Font\", Ambient.Font)\r\n",
        "    Call PropBag.WriteProperty(\"Font\", Font, Ambient.Font)\r\n",
        "Public Property Set Font (fonFont As Font)\r\n",
        // Mapped onto two constituents: read into each, written from the first.
        "    txtValue.BackColor = PropBag.ReadProperty(\"BackColor\", &H8000000F)\r\n",
        "    lblCaption.BackColor = PropBag.ReadProperty(\"BackColor\", &H8000000F)\r\n",
        "    Call PropBag.WriteProperty(\"BackColor\",txtValue.BackColor, &H8000000F)\r\n",
        "WriteProperty(\"BackColor\"",
        "Private Sub UserControl_ReadProperties(PropBag As PropertyBag)\r\n",
        "Private m_sText As String\r\n",
    };
    for (const char* line : once)
        EXPECT_EQ(Occurrences(text, line), 1u) << line;
    // The window handle is never generated, so never saved.
    EXPECT_EQ(Occurrences(text, "\"hWnd\""), 0u);

    const Outcome again = Run(args);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(Control(), text);
}

TEST_F(GenerateCustomTest, CustomMembersBecomeTheUserControlsOwnWithTheirAccess) {
    const std::vector<std::string> args = Args({
        "--select",
        "property:Caption",
        "--persist",
        "--add",
        "property:Title:String:Untitled",  // read/write in both modes
        "--add",
        "property:Mode:Integer:3:ro",  // no set in either mode
        "--add",
        "property:Secret:Long::wo/rw",  // no get at run time
        "--add",
        "property:Hidden:Boolean:true:na/na",  // nothing in either mode
        "--add",
        "property:Tint:OLE_COLOR:&HFF&:rw/ro",  // no set at design time
        "--add",
        "property:Alignment:Integer:1",  // the text box has it
        "--add",
        "method:Clear()",
        "--add",
        "method:Find(Text As String, ByVal Start As Long):Long",
        "--add",
        "event:Changed(Value As Long)",
    });
    const Outcome run = Run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = Control();
    ExpectCompiles(File("LabeledEdit.ctl"), ExampleEvents());

    const char* const present[] = {
        "Private m_sTitle As String\r\n",
        "Public Property Let Title (sTitle As String)\r\n\r\n"
        "    'Added by Quillfern Constituent Wizard -- 1/5/2024\r\n"
        "    m_sTitle = sTitle\r\n    PropertyChanged \"Title\"\r\n\r\nEnd Property\r\n\r\n"
        "Public Property Get Title() As String\r\n\r\n"
        "    'Added by Quillfern Constituent Wizard 1/5/2024\r\n"
        "    Title = m_sTitle\r\n\r\nEnd Property\r\n",
        "    If Ambient.UserMode Then Err.Raise 382 Else Err.Raise 387\r\n    m_iMode = iMode\r\n",
        "    If Ambient.UserMode Then Err.Raise 393\r\n    Secret = m_lSecret\r\n",
        "    If Ambient.UserMode Then Err.Raise 382 Else Err.Raise 387\r\n    m_bHidden = "
        "bHidden\r\n",
        "    If Ambient.UserMode Then Err.Raise 393 Else Err.Raise 394\r\n    Hidden = "
        "m_bHidden\r\n",
        "    If Not Ambient.UserMode Then Err.Raise 387\r\n    m_Tint = newTint\r\n",
        "Public Property Let Tint (newTint As OLE_COLOR)\r\n",
        // Defaults: initialised, and saved with them.
        "Private Sub UserControl_InitProperties()\r\n",
        "    m_sTitle = \"Untitled\"\r\n",
        "    m_iMode = 3\r\n",
        "    m_lSecret = 0\r\n",
        "    m_bHidden = True\r\n",
        "    m_Tint = &HFF&\r\n",
        "    m_iMode = PropBag.ReadProperty(\"Mode\", 3)\r\n",
        "    Call PropBag.WriteProperty(\"Title\", m_sTitle, \"Untitled\")\r\n",
        // A member a constituent has is delegated.
        "    txtValue.Alignment = iAlignment\r\n",
        "    txtValue.Alignment = PropBag.ReadProperty(\"Alignment\", 0 )\r\n",
        "Public Sub Clear()\r\n\r\n    'Added by Quillfern Constituent Wizard 1/5/2024\r\n\r\n"
        "End Sub\r\n",
        "Public Function Find(Text As String, ByVal Start As Long) As Long\r\n\r\n"
        "    'Added by Quillfern Constituent Wizard 1/5/2024\r\n\r\nEnd Function\r\n",
        "Event Changed(Value As Long)\r\n",
    };
    for (const char* piece : present)
        EXPECT_EQ(Occurrences(text, piece), 1u) << piece;
    EXPECT_EQ(Occurrences(text, "m_iAlignment = 1"), 0u);
    EXPECT_EQ(Occurrences(text, "If Ambient.UserMode Then Err.Raise 393\r\n    Title"), 0u);

    const Outcome again = Run(args);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(Control(), text);
}

TEST_F(GenerateCustomTest, RefusedMembersNameTheReasonAndChangeNothing) {
    struct Case {
        const char* add;
        const char* message;
    };
    const Case cases[] = {
        {"property::String", "--add property::String: Please enter a name for the new item."},
        {"property:1st:String", "\"1st\" is not a valid name."},
        {"method:Sub()", "\"Sub\" is not a valid name."},
        {"event:On-Off()", "\"On-Off\" is not a valid name."},
        {"property:caption:String", "The control already has a property named caption."},
        {"event:Click()", "The control already has an event named Click."},
        {"method:Text()", "The control already has a property named Text."},
        {"property:Pic:StdPicture", "\"StdPicture\" is no data type a new property can have"},
        {"property:Size:Integer:40000", "\"40000\" is not a value of type Integer."},
        {"property:Shown:Boolean:yes", "\"yes\" is not a value of type Boolean."},
        {"method:Go(1x As Long)", "The parameter \"1x As Long\" is not valid"},
        {"method:Go(a As Long, A As String)", "The parameter name A is used twice."},
        {"property:Size:Long:1:xx", "\"xx\" is no access"},
        {"method:Go(a As Long", "expected method:Name(params)[:Type]"},
        {"event:Done():Long", "expected event:Name(params)"},
        {"thing:X", "\"thing\" is no item kind"},
    };
    const std::string before = Control();
    for (const Case& c : cases) {
        const Outcome run = Run(Args({"--select-all", "--add", c.add}));
        EXPECT_EQ(run.exitCode, 1) << c.add;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.add << "\n" << run.err;
        EXPECT_EQ(Control(), before) << c.add;
    }
    // A new member alone is a selection; the summary tells it from the
    // items nothing delegates.
    const Outcome alone =
        Run({File("LabeledEdit.vbp"), "--spec", File("QUILLEDIT.OCX"), "--add", "event:Done()"});
    EXPECT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_EQ(Occurrences(Control(), "Event Done()\r\n"), 1u);
    EXPECT_NE(alone.err.find("  New members of the UserControl itself:\n    event Done () \n"),
              std::string::npos)
        << alone.err;
    EXPECT_EQ(alone.err.find("no constituent has"), std::string::npos) << alone.err;
}

}  // namespace
}  // namespace qfw::testing
