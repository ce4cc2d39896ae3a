#pragma once
// Fiscal memory: reads any stretch of the register's flash memory into an image file, writes such a
// file back, and clears the memory. Reading and writing go block by block (F1h, F2h) with a gauge,
// the running address and a stop button; the message loop runs between blocks.
#include <cstdint>
#include <optional>
#include <string>

#include "driver/answer_record.h"
#include "platform/forms/forms.h"

class ImageFileWriter;

class TForm7 : public TForm {
public:
    TForm7();

    TEdit Edit3; // password
    TEdit Edit4; // start address
    TEdit Edit5; // number of bytes
    TEdit Edit7; // repeats of a rejected read block
    TEdit Edit8; // repeats made
    TEdit Edit6; // current address
    TEdit Edit1; // error field of the last answer
    TEdit Edit2; // status bytes of the last answer
    TGauge CGauge1;
    TButton Button4, Button3, Button2, Button5, Button1;
    TSaveDialog SaveDialog1;
    TOpenDialog OpenDialog1;

    uint8_t StopRequested = 0;

    void FormActivate();
    void Edit4Change();
    void Edit5Change();
    void Button2Click(); // clear
    void Button3Click(); // read into a file
    void Button4Click(); // write a file
    void Button5Click(); // stop
    void Button1Click(); // close

private:
    // The stretch of memory of one read or write.
    struct Span {
        int64_t Start = 0;
        int64_t Count = 0;
    };
    // The state of a read in progress.
    struct ReadRun;

    void LayOut();
    void FieldChanged(TEdit& changed);
    bool SpanAccepted(const Span& span);
    // Whether every block command of a read (F1h) or a write (F2h) of the span can go out.
    bool BlocksFormable(const Span& span, unsigned code);
    bool Confirmed(const std::string& question, const std::string& cancelled);
    void SetRunning(bool running);
    void StartProgress(const Span& span);
    void ShowProgress(const Span& span, int64_t address);
    bool StoppedBetweenBlocks();
    void ShowAnswer(const AnswerRecord& answer);

    // Read steps; each returns the message that ends the read early, or nothing to go on.
    std::optional<std::string> ReadBlocks(ReadRun& run);
    std::optional<std::string> ReadOneBlock(ReadRun& run);
    std::optional<std::string> StoreBlock(ReadRun& run, int& count);
    std::string ReadEndMessage(const ReadRun& run, const std::optional<std::string>& stop);

    // Write steps.
    void WriteFile(const std::string& path, const Span& span);
    static std::string WriteStopNote(const Span& span, int64_t address);

    bool running_ = false;
    bool readEnabled_ = false; // Button3/Button4 state before a run
};

extern TForm7* Form7;
