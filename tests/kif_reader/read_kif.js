// Reads every .kif (CP932) and .kifu (UTF-8) of a folder with json-kifu-format and compares
// the moves it finds with NAME.expect. Exits 1 on the first difference.
const fs = require("fs");
const path = require("path");
const { TextDecoder } = require("util");
const { JKFPlayer } = require("json-kifu-format");

const folder = process.argv[2];
let files = 0;
for (const name of fs.readdirSync(folder).sort()) {
  const ext = path.extname(name);
  if (ext !== ".kif" && ext !== ".kifu") continue;
  const base = name.slice(0, -ext.length);
  const bytes = fs.readFileSync(path.join(folder, name));
  const text = new TextDecoder(ext === ".kif" ? "shift_jis" : "utf-8").decode(bytes);
  const expect = fs.readFileSync(path.join(folder, base + ".expect"), "utf8")
    .split("\n").filter((l) => l.length > 0);
  let player;
  try {
    player = JKFPlayer.parseKIF(text);
    player.goto(Infinity);
  } catch (e) {
    console.error(`${name}: not read: ${e.message}`);
    process.exit(1);
  }
  const moves = player.kifu.moves.filter((m) => m.move);
  if (moves.length !== expect.length || player.tesuu < expect.length) {
    console.error(`${name}: read ${moves.length} moves (to move ${player.tesuu}), wrote ${expect.length}`);
    process.exit(1);
  }
  moves.forEach((m, i) => {
    const mv = m.move;
    const from = mv.from ? mv.from.x * 10 + mv.from.y : 0;
    const got = `${from} ${mv.to.x * 10 + mv.to.y} ${mv.promote ? 1 : 0}`;
    if (got !== expect[i]) {
      console.error(`${name}: move ${i + 1} read as ${got}, written as ${expect[i]}`);
      process.exit(1);
    }
  });
  files++;
}
console.log(`json-kifu-format read ${files} files to their last move`);
if (files < 60) process.exit(1);
