#include "shell/windows.h"

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm10* Form10 = nullptr;
TForm14* Form14 = nullptr;
TForm52* Form52 = nullptr;
TWindowLinks Linked;
