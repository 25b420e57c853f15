<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Commands</name>
    <message>
        <source>New Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Variant...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Variant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel Computing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to First Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward to Last Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offer draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offer Draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player-Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer-Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player-Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer-Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Algebraic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>      moves    score   depth    main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>New Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Variant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ComputerPlayer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PlayerPlayer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ComputerComputer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TurnBoard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::ScoreGraphView</name>
    <message>
        <source>The computer&apos;s score of its moves (above the line: White stands better)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ply %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White better</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black better</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No computer moves yet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::dlgVariants</name>
    <message>
        <source>Black begins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loses when a man remains in its start camp after 30 moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loses when its start camp is full, whatever the colour of the men</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiple squares movement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop jumping on first square after opponents piece</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jumps mandatory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force jump out of the start camp over an enemy man</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop jumping on reaching the target camp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiple jumps in one move mandatory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move with most jumps mandatory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variants</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a variant:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Misc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Random</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Movement Directions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal Moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump Moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jumps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target camps (home squares)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmAbout</name>
    <message>
        <source>About Zelkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halma and its variants on an 8x8 board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Zelkor developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The manual (Help &gt; Manual)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmBook</name>
    <message>
        <source>Book moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmMain</name>
    <message>
        <source>&amp;Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brown and Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Men on their home squares</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click to search one ply less deep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no calculation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A &quot;b&quot; after a move: the move is in the opening book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Legal moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment on the current move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a move, e.g. c3d4, and press Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Comment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black man</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White man</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White moves</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmManual</name>
    <message>
        <source>Zelkor Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The manual could not be read from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmOptions</name>
    <message>
        <source> Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Easy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Master (strongest, beyond level 10)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threads:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flexible Time Management</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Countdown Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show available moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notation in capital letters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump character:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feedback on the board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark the last move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark the squares a picked-up man can reach</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Say why a move is refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the hint on the board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Search </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extended search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plies (default=1) :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Balance (default=150) :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brute force</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Book </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening book</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Draw </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Chess drawing rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of moves in 50 move rule:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask for draw if computer thinks it&apos;s a draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Engine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Misc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask confirmation on exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Rating ()</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Rating (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Illegal entry!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmRules</name>
    <message>
        <source> Rules for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No help available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rules of this game have been changed. The rules in force:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
