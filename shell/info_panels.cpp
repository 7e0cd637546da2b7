#include "shell/form1.h"

namespace vex {

// Opening a panel halts a running game for good: closing it does not resume play.

void Form1::Label1_Click() {
    tmBrit.Enabled = false;
    Frame2.Visible = true;
    Label6.Visible = true;
    Label7.Visible = true;
}

void Form1::Label2_Click() {
    tmBrit.Enabled = false;
    Frame1.Visible = true;
    Label5.Visible = true;
    Label4.Visible = true;
}

void Form1::Label7_Click() {
    Frame2.Visible = false;
    Label6.Visible = false;
    Label7.Visible = false;
}

void Form1::Label5_Click() {
    Frame1.Visible = false;
    Label5.Visible = false;
    Label4.Visible = false;
}

void Form1::Label3_Click() { Unload(); }

}  // namespace vex
