<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Commands</name>
    <message>
        <source>New Game</source>
        <translation>Neue Partie</translation>
    </message>
    <message>
        <source>New Variant...</source>
        <translation>Neue Variante...</translation>
    </message>
    <message>
        <source>New Variant</source>
        <translation>Neue Variante</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Compute</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel Computing</source>
        <translation>Berechnung abbrechen</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Back to First Move</source>
        <translation>Zurück zum ersten Zug</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Move Back</source>
        <translation>Einen Zug zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Move Forward</source>
        <translation>Einen Zug vor</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Forward to Last Move</source>
        <translation>Vor zum letzten Zug</translation>
    </message>
    <message>
        <source>Offer draw</source>
        <translation>Remis anbieten</translation>
    </message>
    <message>
        <source>Offer Draw</source>
        <translation>Remis anbieten</translation>
    </message>
    <message>
        <source>Resign</source>
        <translation>Aufgeben</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>Player-Computer</source>
        <translation>Spieler-Computer</translation>
    </message>
    <message>
        <source>Computer-Player</source>
        <translation>Computer-Spieler</translation>
    </message>
    <message>
        <source>Player-Player</source>
        <translation>Spieler-Spieler</translation>
    </message>
    <message>
        <source>Computer-Computer</source>
        <translation>Computer-Computer</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Optionen...</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Analyze</source>
        <translation>Analysieren</translation>
    </message>
    <message>
        <source>Turn Board</source>
        <translation>Brett drehen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Algebraic</source>
        <translation>Algebraisch</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Berechnung</translation>
    </message>
    <message>
        <source>Rating...</source>
        <translation>Wertung...</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Zelkor</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>      moves    score   depth    main</source>
        <translation>      Züge     Wert    Tiefe    Hauptvariante</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Analyzing... (</source>
        <translation>Analysiere... (</translation>
    </message>
    <message>
        <source>Analyzing...</source>
        <translation>Analysiere...</translation>
    </message>
    <message>
        <source>%1 wins!</source>
        <translation>%1 gewinnt!</translation>
    </message>
    <message>
        <source>Computer wins!</source>
        <translation>Der Computer gewinnt!</translation>
    </message>
    <message>
        <source>a longer jump is compulsory: %1 can jump</source>
        <translation>ein längerer Sprung ist Pflicht, springen kann: %1</translation>
    </message>
    <message>
        <source>a jump is compulsory: %1 can jump</source>
        <translation>ein Sprung ist Pflicht, springen kann: %1</translation>
    </message>
    <message>
        <source>%1 is blocked</source>
        <translation>%1 ist eingeschlossen</translation>
    </message>
    <message>
        <source>the rules give %1 no move here</source>
        <translation>die Regeln erlauben %1 hier keinen Zug</translation>
    </message>
    <message>
        <source>%1 is not empty</source>
        <translation>%1 ist nicht leer</translation>
    </message>
    <message>
        <source>the chain must go on to %1</source>
        <translation>die Sprungkette muss bis %1 weitergehen</translation>
    </message>
    <message>
        <source>the rules do not allow %1 here</source>
        <translation>die Regeln erlauben %1 hier nicht</translation>
    </message>
    <message>
        <source>%1 cannot reach %2</source>
        <translation>%1 kann %2 nicht erreichen</translation>
    </message>
    <message>
        <source>Depth:%1   Best: %2   Score:%3</source>
        <translation>Tiefe:%1   Bester: %2   Wert:%3</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>Buch</translation>
    </message>
    <message>
        <source>Main: %1</source>
        <translation>Hauptvariante: %1</translation>
    </message>
    <message>
        <source>Computer is winning in%1 moves! </source>
        <translation>Der Computer gewinnt in%1 Zügen! </translation>
    </message>
    <message>
        <source>Computer is winning in%1 move! </source>
        <translation>Der Computer gewinnt in%1 Zug! </translation>
    </message>
    <message>
        <source>Computer is losing in%1 moves! </source>
        <translation>Der Computer verliert in%1 Zügen! </translation>
    </message>
    <message>
        <source>Computer is losing in%1 move! </source>
        <translation>Der Computer verliert in%1 Zug! </translation>
    </message>
    <message>
        <source>Thinking... (</source>
        <translation>Denke nach... (</translation>
    </message>
    <message>
        <source>Thinking...</source>
        <translation>Denke nach...</translation>
    </message>
    <message>
        <source>It&apos;s a draw!</source>
        <translation>Remis!</translation>
    </message>
    <message>
        <source>How about a draw?</source>
        <translation>Wie wäre es mit einem Remis?</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Congratulations</source>
        <translation>Glückwunsch</translation>
    </message>
    <message>
        <source>Strength:%1</source>
        <translation>Spielstärke:%1</translation>
    </message>
    <message>
        <source>   Depth:%1 ply</source>
        <translation>   Tiefe:%1 Halbz.</translation>
    </message>
    <message>
        <source>   Time:%1 sec</source>
        <translation>   Zeit:%1 Sek.</translation>
    </message>
    <message>
        <source>Black moves</source>
        <translation>Schwarz zieht</translation>
    </message>
    <message>
        <source>White moves</source>
        <translation>Weiß zieht</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Computer-Player mode</source>
        <translation>Modus Computer-Spieler</translation>
    </message>
    <message>
        <source>Player-Player mode</source>
        <translation>Modus Spieler-Spieler</translation>
    </message>
    <message>
        <source>Move limit reached</source>
        <translation>Zuggrenze erreicht</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>These moves have not been saved: %1</source>
        <translation>Diese Züge sind nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Quit current game?</source>
        <translation>Die laufende Partie beenden?</translation>
    </message>
    <message>
        <source>no calculation</source>
        <translation>keine Berechnung</translation>
    </message>
    <message>
        <source>The game has reached the limit of 1000 half-moves and cannot go on.</source>
        <translation>Die Partie hat die Grenze von 1000 Halbzügen erreicht und kann nicht fortgesetzt werden.</translation>
    </message>
    <message>
        <source>Zelkor File (*.zlk)|*.zlk</source>
        <translation>Zelkor-Datei (*.zlk)|*.zlk</translation>
    </message>
    <message>
        <source>Zelkor File (*.zlk)|*.zlk|</source>
        <translation>Zelkor-Datei (*.zlk)|*.zlk|</translation>
    </message>
    <message>
        <source>Load Game</source>
        <translation>Partie laden</translation>
    </message>
    <message>
        <source>Save the game under another name?</source>
        <translation>Die Partie unter einem anderen Namen speichern?</translation>
    </message>
    <message>
        <source>Save Game</source>
        <translation>Partie speichern</translation>
    </message>
    <message>
        <source>%1 already exists, overwrite?</source>
        <translation>%1 gibt es schon. Überschreiben?</translation>
    </message>
    <message>
        <source>VARIANTS.INI is missing!</source>
        <translation>VARIANTS.INI fehlt!</translation>
    </message>
    <message>
        <source>Loading and analyzing...</source>
        <translation>Lade und analysiere...</translation>
    </message>
    <message>
        <source>Try %1</source>
        <translation>Versuchen Sie %1</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>A hint makes this game unrated. Show the hint?</source>
        <translation>Ein Tipp macht diese Partie ungewertet. Den Tipp zeigen?</translation>
    </message>
    <message>
        <source>You have already won!</source>
        <translation>Sie haben schon gewonnen!</translation>
    </message>
    <message>
        <source>OK... It&apos;s a draw!</source>
        <translation>Gut... Remis!</translation>
    </message>
    <message>
        <source>Offer rejected... Play on!</source>
        <translation>Angebot abgelehnt... Spielen Sie weiter!</translation>
    </message>
    <message>
        <source>Draw Offer</source>
        <translation>Remisangebot</translation>
    </message>
    <message>
        <source>Resign this game? It counts as a loss for your rating.</source>
        <translation>Diese Partie aufgeben? Sie zählt für Ihre Wertung als Niederlage.</translation>
    </message>
    <message>
        <source>Resign this game?</source>
        <translation>Diese Partie aufgeben?</translation>
    </message>
    <message>
        <source>OK... Computer wins!</source>
        <translation>Gut... Der Computer gewinnt!</translation>
    </message>
    <message>
        <source>Strength: Master</source>
        <translation>Spielstärke: Meister</translation>
    </message>
    <message>
        <source>Illegal move</source>
        <translation>Unzulässiger Zug</translation>
    </message>
    <message>
        <source>%1 is empty</source>
        <translation>%1 ist leer</translation>
    </message>
    <message>
        <source>%1 is not your man</source>
        <translation>%1 ist nicht Ihr Stein</translation>
    </message>
    <message>
        <source>You cannot move that piece</source>
        <translation>Diesen Stein können Sie nicht ziehen</translation>
    </message>
    <message>
        <source>Illegal move: that square is not empty</source>
        <translation>Unzulässiger Zug: Das Feld ist nicht leer</translation>
    </message>
    <message>
        <source>A move chosen from the list makes this game unrated. Play it?</source>
        <translation>Ein Zug aus der Liste macht diese Partie ungewertet. Den Zug spielen?</translation>
    </message>
    <message>
        <source>forward</source>
        <translation>vorwärts</translation>
    </message>
    <message>
        <source>backward</source>
        <translation>rückwärts</translation>
    </message>
    <message>
        <source>right</source>
        <translation>nach rechts</translation>
    </message>
    <message>
        <source>left</source>
        <translation>nach links</translation>
    </message>
    <message>
        <source>diagonally forward right</source>
        <translation>schräg vorwärts nach rechts</translation>
    </message>
    <message>
        <source>diagonally forward left</source>
        <translation>schräg vorwärts nach links</translation>
    </message>
    <message>
        <source>diagonally backward right</source>
        <translation>schräg rückwärts nach rechts</translation>
    </message>
    <message>
        <source>diagonally backward left</source>
        <translation>schräg rückwärts nach links</translation>
    </message>
    <message>
        <source>in all eight directions</source>
        <translation>in alle acht Richtungen</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>never step</source>
        <translation>ziehen nie</translation>
    </message>
    <message>
        <source>move %1</source>
        <translation>ziehen %1</translation>
    </message>
    <message>
        <source> and never jump</source>
        <translation> und springen nie</translation>
    </message>
    <message>
        <source>, and jump %1</source>
        <translation> und springen %1</translation>
    </message>
    <message>
        <source>The number beside each player&apos;s name counts the men that side has in its target camp.
A &quot;b&quot; after a move marks a move of the opening book.
&quot;(M)&quot; after the variant&apos;s name: the rules or the starting position of this game differ from the variant&apos;s own.
The last move is marked on the board, and the squares a man can reach when you pick it up (Options, Board).
A hint, an analysis or a move chosen from a list makes the game unrated.
Keys: Left and Right step back and forward through the game, Home and End go to its start and end, Ctrl+Z takes back your last move with the computer&apos;s reply. Tab to the board shows a square cursor: the arrow keys move it, Space picks up a man and puts it down, Escape lets it go.</source>
        <translation>Die Zahl neben dem Namen jedes Spielers zählt die Steine, die diese Seite in ihrem Ziellager hat.
Ein „b“ nach einem Zug kennzeichnet einen Zug aus dem Eröffnungsbuch.
„(M)“ nach dem Namen der Variante: Die Regeln oder die Anfangsstellung dieser Partie weichen von denen der Variante ab.
Der letzte Zug wird auf dem Brett markiert, ebenso die Felder, die ein Stein erreichen kann, wenn Sie ihn aufnehmen (Optionen, Brett).
Ein Tipp, eine Analyse oder ein aus einer Liste gewählter Zug macht die Partie ungewertet.
Tasten: Links und Rechts gehen in der Partie zurück und vor, Pos1 und Ende springen an ihren Anfang und ihr Ende, Strg+Z nimmt Ihren letzten Zug samt der Antwort des Computers zurück. Mit Tab auf das Brett erscheint ein Feldcursor: Die Pfeiltasten bewegen ihn, die Leertaste nimmt einen Stein auf und setzt ihn ab, Escape lässt ihn los.</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Are you sure you want to exit?</source>
        <translation>Wollen Sie Zelkor wirklich beenden?</translation>
    </message>
    <message>
        <source>Illegal entry!</source>
        <translation>Unzulässige Eingabe!</translation>
    </message>
    <message>
        <source>It&apos;s a draw! Triple Repetition</source>
        <translation>Remis! Dreifache Stellungswiederholung</translation>
    </message>
    <message>
        <source>It&apos;s a draw! 50 Moves Rule</source>
        <translation>Remis! 50-Züge-Regel</translation>
    </message>
    <message>
        <source>White wins!</source>
        <translation>Weiß gewinnt!</translation>
    </message>
    <message>
        <source>Black wins!</source>
        <translation>Schwarz gewinnt!</translation>
    </message>
    <message>
        <source>VARIANTS.INI is not an Zelkor Variants file</source>
        <translation>VARIANTS.INI ist keine Zelkor-Variantendatei</translation>
    </message>
    <message>
        <source>Incorrect version of VARIANTS.INI<byte value="xd"/>
Need version %1</source>
        <translation>Falsche Version von VARIANTS.INI<byte value="xd"/>
Benötigt wird Version %1</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 gibt es nicht</translation>
    </message>
    <message>
        <source>%1 is not an Zelkor file</source>
        <translation>%1 ist keine Zelkor-Datei</translation>
    </message>
    <message>
        <source>Incorrect game file!<byte value="xd"/>
Need version %1</source>
        <translation>Falsche Partiedatei!<byte value="xd"/>
Benötigt wird Version %1</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1, line %2: &quot;%3&quot; is not a legal move</source>
        <translation>%1, Zeile %2: „%3“ ist kein zulässiger Zug</translation>
    </message>
    <message>
        <source>%1, line %2 could not be read</source>
        <translation>%1, Zeile %2 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1, line %2: &quot;%3&quot; could not be read</source>
        <translation>%1, Zeile %2: „%3“ konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>; %1 move was loaded</source>
        <translation>; %1 Zug wurde geladen</translation>
    </message>
    <message>
        <source>; %1 moves were loaded</source>
        <translation>; %1 Züge wurden geladen</translation>
    </message>
    <message>
        <source>%1 could not be saved: it is write-protected</source>
        <translation>%1 konnte nicht gespeichert werden: Die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>%1 could not be saved</source>
        <translation>%1 konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Your previous rating was%1</source>
        <translation>Ihre bisherige Wertungszahl war%1</translation>
    </message>
    <message>
        <source>The computer&apos;s rating in this game was%1</source>
        <translation>Die Wertungszahl des Computers in dieser Partie war%1</translation>
    </message>
    <message>
        <source>Your new rating is%1</source>
        <translation>Ihre neue Wertungszahl ist%1</translation>
    </message>
    <message>
        <source>  Good game</source>
        <translation>  Gute Partie</translation>
    </message>
    <message>
        <source>  Great game</source>
        <translation>  Großartige Partie</translation>
    </message>
    <message>
        <source>Your current rating is%1</source>
        <translation>Ihre aktuelle Wertungszahl ist%1</translation>
    </message>
    <message>
        <source>%1, line %2 is not &quot;%3&quot;.</source>
        <translation>%1, Zeile %2 ist nicht „%3“.</translation>
    </message>
    <message>
        <source>%1, line %2: the line is missing.</source>
        <translation>%1, Zeile %2: Die Zeile fehlt.</translation>
    </message>
    <message>
        <source>%1, line %2: the value &quot;%3&quot; does not fit its setting.</source>
        <translation>%1, Zeile %2: Der Wert „%3“ passt nicht zu seiner Einstellung.</translation>
    </message>
    <message>
        <source>The file was kept as %1; </source>
        <translation>Die Datei wurde als %1 aufbewahrt; </translation>
    </message>
    <message>
        <source>The file was left as it is and will not be written; </source>
        <translation>Die Datei bleibt, wie sie ist, und wird nicht geschrieben; </translation>
    </message>
    <message>
        <source>Zelkor starts with the default settings.</source>
        <translation>Zelkor startet mit den Standardeinstellungen.</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>%1 game</source>
        <translation>%1 Partie</translation>
    </message>
    <message>
        <source>%1 games</source>
        <translation>%1 Partien</translation>
    </message>
    <message>
        <source>%1 move</source>
        <translation>%1 Zug</translation>
    </message>
    <message>
        <source>%1 moves</source>
        <translation>%1 Züge</translation>
    </message>
    <message>
        <source>Could not copy %1: %2</source>
        <translation>%1 konnte nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>The data folder %1 is not a folder</source>
        <translation>Der Datenordner %1 ist kein Ordner</translation>
    </message>
    <message>
        <source>The data folder %1 does not exist</source>
        <translation>Den Datenordner %1 gibt es nicht</translation>
    </message>
    <message>
        <source>No home folder is known (HOME is not set): settings cannot be kept.</source>
        <translation>Kein Home-Ordner bekannt (HOME ist nicht gesetzt): Die Einstellungen können nicht aufbewahrt werden.</translation>
    </message>
    <message>
        <source>Could not create %1: %2</source>
        <translation>%1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB; the opening book is not used</source>
        <translation>%1 ist größer als %2 MB; das Eröffnungsbuch wird nicht benutzt</translation>
    </message>
    <message>
        <source>ZELKOR.BOK is not an Zelkor Book file</source>
        <translation>ZELKOR.BOK ist keine Zelkor-Buchdatei</translation>
    </message>
    <message>
        <source>Incorrect version of ZELKOR.BOK<byte value="xd"/>
Need version %1</source>
        <translation>Falsche Version von ZELKOR.BOK<byte value="xd"/>
Benötigt wird Version %1</translation>
    </message>
    <message>
        <source>%1 cannot be read; the opening book is not used</source>
        <translation>%1 kann nicht gelesen werden; das Eröffnungsbuch wird nicht benutzt</translation>
    </message>
    <message>
        <source>%1, line %2: the name line &quot;%3&quot; has no name between quotes; the opening book is not used</source>
        <translation>%1, Zeile %2: Die Namenszeile „%3“ hat keinen Namen zwischen Anführungszeichen; das Eröffnungsbuch wird nicht benutzt</translation>
    </message>
    <message>
        <source>; the rules stay as they were</source>
        <translation>; die Regeln bleiben, wie sie waren</translation>
    </message>
    <message>
        <source>%1 holds no block &quot;Variant=&quot;</source>
        <translation>%1 enthält keinen Block „Variant=“</translation>
    </message>
    <message>
        <source>the block &quot;%1&quot; (line %2)</source>
        <translation>den Block „%1“ (Zeile %2)</translation>
    </message>
    <message>
        <source>%1, line %2: %3 does not fit in %4</source>
        <translation>%1, Zeile %2: %3 passt nicht in %4</translation>
    </message>
    <message>
        <source>%1: %2 has no line END</source>
        <translation>%1: Für %2 fehlt die Zeile END</translation>
    </message>
    <message>
        <source>Black moves first.</source>
        <translation>Schwarz zieht zuerst.</translation>
    </message>
    <message>
        <source>White moves first.</source>
        <translation>Weiß zieht zuerst.</translation>
    </message>
    <message>
        <source>Men %1 (as each side sees the board from its own side).</source>
        <translation>Die Steine %1 (so, wie jede Seite das Brett von ihrer Seite aus sieht).</translation>
    </message>
    <message>
        <source>White&apos;s men %1; Black&apos;s men %2 (as each side sees the board from its own side).</source>
        <translation>Die Steine von Weiß %1; die Steine von Schwarz %2 (so, wie jede Seite das Brett von ihrer Seite aus sieht).</translation>
    </message>
    <message>
        <source>A man slides over any number of empty squares. It jumps over the first man in its line, however far away, to %1. Only one jump is made per move.</source>
        <translation>Ein Stein gleitet über beliebig viele leere Felder. Er springt über den ersten Stein in seiner Linie, wie weit entfernt er auch steht, auf %1. Je Zug wird nur ein Sprung gemacht.</translation>
    </message>
    <message>
        <source>the square directly behind it</source>
        <translation>das Feld direkt dahinter</translation>
    </message>
    <message>
        <source>any empty square behind it up to the next man or the edge</source>
        <translation>ein beliebiges leeres Feld dahinter bis zum nächsten Stein oder zum Rand</translation>
    </message>
    <message>
        <source>A man steps to a neighbouring empty square, or jumps over a neighbouring man of either colour to the empty square directly behind it; jumps can be chained.</source>
        <translation>Ein Stein zieht auf ein benachbartes leeres Feld oder springt über einen benachbarten Stein beliebiger Farbe auf das leere Feld direkt dahinter; Sprünge lassen sich verketten.</translation>
    </message>
    <message>
        <source>A chain of jumps stops as soon as a man lands on a square of its target camp.</source>
        <translation>Eine Sprungkette endet, sobald ein Stein auf einem Feld seines Ziellagers landet.</translation>
    </message>
    <message>
        <source>Jumping is mandatory: while one of your men outside your target camp can jump, you may not step.</source>
        <translation>Springen ist Pflicht: Solange einer Ihrer Steine außerhalb Ihres Ziellagers springen kann, dürfen Sie keinen einfachen Zug machen.</translation>
    </message>
    <message>
        <source>A chain of jumps must go on for as long as it can.</source>
        <translation>Eine Sprungkette muss weitergehen, solange sie kann.</translation>
    </message>
    <message>
        <source>When you jump, only a chain with the greatest number of jumps any of your men can make is allowed (a forced jump out of the starting camp excepted).</source>
        <translation>Wenn Sie springen, ist nur eine Kette mit der größten Zahl von Sprüngen erlaubt, die einer Ihrer Steine machen kann (ausgenommen ein erzwungener Sprung aus dem Startlager).</translation>
    </message>
    <message>
        <source> Stepping is still allowed.</source>
        <translation> Einfache Züge bleiben erlaubt.</translation>
    </message>
    <message>
        <source>No jump may land more than two squares farther from your target corner (%1 for White, %2 for Black) than the square the man started from, counting along ranks and files; a move that needs such a jump is not legal. A forced jump out of the starting camp is exempt.</source>
        <translation>Kein Sprung darf mehr als zwei Felder weiter von Ihrer Zielecke (%1 für Weiß, %2 für Schwarz) entfernt landen als das Feld, von dem der Stein ausging, gezählt entlang Reihen und Linien; ein Zug, der einen solchen Sprung braucht, ist nicht zulässig. Ein erzwungener Sprung aus dem Startlager ist davon ausgenommen.</translation>
    </message>
    <message>
        <source>When one of your men in your starting camp can jump over an enemy man next to it to a square outside the camp or farther from your starting corner, you must make a move that begins with such a jump.</source>
        <translation>Wenn einer Ihrer Steine in Ihrem Startlager über einen benachbarten gegnerischen Stein auf ein Feld außerhalb des Lagers oder weiter weg von Ihrer Startecke springen kann, müssen Sie einen Zug machen, der mit einem solchen Sprung beginnt.</translation>
    </message>
    <message>
        <source>When one of your men in your starting camp can jump over an enemy man to a square outside the camp or farther from your starting corner, you must make a move that begins with such a jump.</source>
        <translation>Wenn einer Ihrer Steine in Ihrem Startlager über einen gegnerischen Stein auf ein Feld außerhalb des Lagers oder weiter weg von Ihrer Startecke springen kann, müssen Sie einen Zug machen, der mit einem solchen Sprung beginnt.</translation>
    </message>
    <message>
        <source>You lose when, after 30 moves, any of your men is still in your starting camp.</source>
        <translation>Sie verlieren, wenn nach 30 Zügen noch einer Ihrer Steine in Ihrem Startlager steht.</translation>
    </message>
    <message>
        <source>You win as soon as your target camp is full, whatever the colour of the men in it.</source>
        <translation>Sie gewinnen, sobald Ihr Ziellager voll ist, gleich welche Farbe die Steine darin haben.</translation>
    </message>
    <message>
        <source>The first side to fill its target camp with its own men wins.</source>
        <translation>Es gewinnt die Seite, die als erste ihr Ziellager mit eigenen Steinen füllt.</translation>
    </message>
    <message>
        <source>A side that cannot move loses.</source>
        <translation>Eine Seite, die nicht ziehen kann, verliert.</translation>
    </message>
    <message>
        <source>White&apos;s target camp: %1.</source>
        <translation>Ziellager von Weiß: %1.</translation>
    </message>
    <message>
        <source>Black&apos;s target camp: %1.</source>
        <translation>Ziellager von Schwarz: %1.</translation>
    </message>
    <message>
        <source>The position was set up by hand.</source>
        <translation>Die Stellung wurde von Hand aufgestellt.</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>New Game</source>
        <translation>Neue Partie</translation>
    </message>
    <message>
        <source>New Variant</source>
        <translation>Neue Variante</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Compute</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Remis</translation>
    </message>
    <message>
        <source>Resign</source>
        <translation>Aufgeben</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>ComputerPlayer</source>
        <translation>Computer-Spieler</translation>
    </message>
    <message>
        <source>PlayerPlayer</source>
        <translation>Spieler-Spieler</translation>
    </message>
    <message>
        <source>ComputerComputer</source>
        <translation>Computer-Computer</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Analyze</source>
        <translation>Analysieren</translation>
    </message>
    <message>
        <source>TurnBoard</source>
        <translation>Brett drehen</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::ScoreGraphView</name>
    <message>
        <source>The computer&apos;s score of its moves (above the line: White stands better)</source>
        <translation>Die Bewertung der Computerzüge (über der Linie: Weiß steht besser)</translation>
    </message>
    <message>
        <source>no moves</source>
        <translation>keine Züge</translation>
    </message>
    <message>
        <source>ply %1</source>
        <translation>Halbzug %1</translation>
    </message>
    <message>
        <source>White better</source>
        <translation>Weiß besser</translation>
    </message>
    <message>
        <source>Black better</source>
        <translation>Schwarz besser</translation>
    </message>
    <message>
        <source>No computer moves yet</source>
        <translation>Noch keine Computerzüge</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::dlgVariants</name>
    <message>
        <source>Black begins</source>
        <translation>Schwarz beginnt</translation>
    </message>
    <message>
        <source>Loses when a man remains in its start camp after 30 moves</source>
        <translation>Verliert, wenn nach 30 Zügen ein Stein im Startlager bleibt</translation>
    </message>
    <message>
        <source>Loses when its start camp is full, whatever the colour of the men</source>
        <translation>Verliert, wenn sein Startlager voll ist, gleich welche Farbe die Steine haben</translation>
    </message>
    <message>
        <source>Multiple squares movement</source>
        <translation>Züge über mehrere Felder</translation>
    </message>
    <message>
        <source>Stop jumping on first square after opponents piece</source>
        <translation>Sprung endet auf dem ersten Feld hinter dem gegnerischen Stein</translation>
    </message>
    <message>
        <source>Jumps mandatory</source>
        <translation>Springen ist Pflicht</translation>
    </message>
    <message>
        <source>Force jump out of the start camp over an enemy man</source>
        <translation>Pflichtsprung aus dem Startlager über einen gegnerischen Stein</translation>
    </message>
    <message>
        <source>Stop jumping on reaching the target camp</source>
        <translation>Sprungkette endet beim Erreichen des Ziellagers</translation>
    </message>
    <message>
        <source>Multiple jumps in one move mandatory</source>
        <translation>Mehrfachsprünge in einem Zug sind Pflicht</translation>
    </message>
    <message>
        <source>Move with most jumps mandatory</source>
        <translation>Der Zug mit den meisten Sprüngen ist Pflicht</translation>
    </message>
    <message>
        <source>Variants</source>
        <translation>Varianten</translation>
    </message>
    <message>
        <source>Choose a variant:</source>
        <translation>Wählen Sie eine Variante:</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Movement Directions</source>
        <translation>Zugrichtungen</translation>
    </message>
    <message>
        <source>Normal Moves</source>
        <translation>Einfache Züge</translation>
    </message>
    <message>
        <source>Jump Moves</source>
        <translation>Sprünge</translation>
    </message>
    <message>
        <source>White:</source>
        <translation>Weiß:</translation>
    </message>
    <message>
        <source>Black:</source>
        <translation>Schwarz:</translation>
    </message>
    <message>
        <source>Jumps</source>
        <translation>Sprünge</translation>
    </message>
    <message>
        <source>Target camps (home squares)</source>
        <translation>Ziellager (Zielfelder)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmAbout</name>
    <message>
        <source>About Zelkor</source>
        <translation>Über Zelkor</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Halma and its variants on an 8x8 board</source>
        <translation>Halma und seine Varianten auf einem 8x8-Brett</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Zelkor developers</source>
        <translation>Copyright (C) 2026 die Zelkor-Entwickler</translation>
    </message>
    <message>
        <source>The manual (Help &gt; Manual)</source>
        <translation>Das Handbuch (Hilfe &gt; Handbuch)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmBook</name>
    <message>
        <source>Book moves</source>
        <translation>Buchzüge</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmMain</name>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>S&amp;pielen</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <translation>&amp;Brett</translation>
    </message>
    <message>
        <source>Notation</source>
        <translation>Notation</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Steine</translation>
    </message>
    <message>
        <source>Brown and Black</source>
        <translation>Braun und Schwarz</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Score graph</source>
        <translation>Bewertungsverlauf</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Handbuch</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Brett</translation>
    </message>
    <message>
        <source>Men on their home squares</source>
        <translation>Steine im Ziellager</translation>
    </message>
    <message>
        <source>Double-click to search one ply less deep</source>
        <translation>Doppelklick: einen Halbzug weniger tief rechnen</translation>
    </message>
    <message>
        <source>no calculation</source>
        <translation>keine Berechnung</translation>
    </message>
    <message>
        <source>A &quot;b&quot; after a move: the move is in the opening book</source>
        <translation>Ein „b“ nach einem Zug: Der Zug steht im Eröffnungsbuch</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>Legal moves</source>
        <translation>Zulässige Züge</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Comment on the current move</source>
        <translation>Kommentar zum aktuellen Zug</translation>
    </message>
    <message>
        <source>Type a move, e.g. c3d4, and press Enter</source>
        <translation>Zug eingeben, z. B. c3d4, und die Eingabetaste drücken</translation>
    </message>
    <message>
        <source>&amp;Comment:</source>
        <translation>&amp;Kommentar:</translation>
    </message>
    <message>
        <source>&amp;Move:</source>
        <translation>&amp;Zug:</translation>
    </message>
    <message>
        <source>Clear Board</source>
        <translation>Brett leeren</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Black man</source>
        <translation>Schwarzer Stein</translation>
    </message>
    <message>
        <source>White man</source>
        <translation>Weißer Stein</translation>
    </message>
    <message>
        <source>Black moves</source>
        <translation>Schwarz zieht</translation>
    </message>
    <message>
        <source>White moves</source>
        <translation>Weiß zieht</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmManual</name>
    <message>
        <source>Zelkor Manual</source>
        <translation>Zelkor-Handbuch</translation>
    </message>
    <message>
        <source>The manual could not be read from %1</source>
        <translation>Das Handbuch konnte nicht aus %1 gelesen werden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmOptions</name>
    <message>
        <source> Options</source>
        <translation> Optionen</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>Spielstärke</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Master (strongest, beyond level 10)</source>
        <translation>Meister (am stärksten, über Stufe 10 hinaus)</translation>
    </message>
    <message>
        <source>Threads:</source>
        <translation>Threads:</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>%1 sec</source>
        <translation>%1 Sek.</translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation>Tiefe:</translation>
    </message>
    <message>
        <source>Flexible Time Management</source>
        <translation>Flexible Zeiteinteilung</translation>
    </message>
    <message>
        <source>Countdown Timer</source>
        <translation>Countdown-Anzeige</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Brett</translation>
    </message>
    <message>
        <source>Show available moves</source>
        <translation>Mögliche Züge zeigen</translation>
    </message>
    <message>
        <source>Notation in capital letters</source>
        <translation>Notation in Großbuchstaben</translation>
    </message>
    <message>
        <source>Jump character:</source>
        <translation>Sprungzeichen:</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Feedback on the board</source>
        <translation>Hinweise auf dem Brett</translation>
    </message>
    <message>
        <source>Mark the last move</source>
        <translation>Den letzten Zug markieren</translation>
    </message>
    <message>
        <source>Mark the squares a picked-up man can reach</source>
        <translation>Die Felder markieren, die ein aufgenommener Stein erreichen kann</translation>
    </message>
    <message>
        <source>Say why a move is refused</source>
        <translation>Sagen, warum ein Zug abgelehnt wird</translation>
    </message>
    <message>
        <source>Show the hint on the board</source>
        <translation>Den Tipp auf dem Brett zeigen</translation>
    </message>
    <message>
        <source> Search </source>
        <translation> Suche </translation>
    </message>
    <message>
        <source>Extended search</source>
        <translation>Erweiterte Suche</translation>
    </message>
    <message>
        <source>Plies (default=1) :</source>
        <translation>Halbzüge (Standard=1) :</translation>
    </message>
    <message>
        <source>Balance (default=150) :</source>
        <translation>Ausgleich (Standard=150) :</translation>
    </message>
    <message>
        <source>Brute force</source>
        <translation>Vollständige Suche</translation>
    </message>
    <message>
        <source> Book </source>
        <translation> Buch </translation>
    </message>
    <message>
        <source>Opening book</source>
        <translation>Eröffnungsbuch</translation>
    </message>
    <message>
        <source>from:</source>
        <translation>aus:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Partien</translation>
    </message>
    <message>
        <source> Draw </source>
        <translation> Remis </translation>
    </message>
    <message>
        <source>Use Chess drawing rules</source>
        <translation>Remisregeln des Schachs anwenden</translation>
    </message>
    <message>
        <source>Number of moves in 50 move rule:</source>
        <translation>Zahl der Züge in der 50-Züge-Regel:</translation>
    </message>
    <message>
        <source>Ask for draw if computer thinks it&apos;s a draw</source>
        <translation>Remis anbieten, wenn der Computer die Stellung für remis hält</translation>
    </message>
    <message>
        <source>Engine</source>
        <translation>Rechnen</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Your Name:</source>
        <translation>Ihr Name:</translation>
    </message>
    <message>
        <source>Ask confirmation on exit</source>
        <translation>Beim Beenden nachfragen</translation>
    </message>
    <message>
        <source>Use Rating ()</source>
        <translation>Wertung verwenden ()</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Use Rating (%1)</source>
        <translation>Wertung verwenden (%1)</translation>
    </message>
    <message>
        <source>%1 ply</source>
        <translation>%1 Halbz.</translation>
    </message>
    <message>
        <source>Illegal entry!</source>
        <translation>Unzulässige Eingabe!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please enter your name.</source>
        <translation>Bitte geben Sie Ihren Namen ein.</translation>
    </message>
</context>
<context>
    <name>zelkor::ui::frmRules</name>
    <message>
        <source> Rules for %1</source>
        <translation> Regeln für %1</translation>
    </message>
    <message>
        <source>No help available</source>
        <translation>Keine Hilfe verfügbar</translation>
    </message>
    <message>
        <source>The rules of this game have been changed. The rules in force:</source>
        <translation>Die Regeln dieser Partie wurden geändert. Es gelten diese Regeln:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
