// The cockpit page in headless Chromium: served on 127.0.0.1, it shows its
// first frame, takes Left Shift+N and Right Shift+N to each display, Left
// Shift+R to the left one only, and the pointer's travel over the left
// display to the left paddle only. Read from the page's own canvas.
//
// With --desktop PNG, the first frame must also be the desktop cockpit's
// first frame (its screenshot), pixel for pixel, text and all.
//
//   node page_test.js PAGE_DIR [--desktop PNG] [--save PNG]   (puppeteer-core on NODE_PATH)
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');
const puppeteer = require('puppeteer-core');

const pageDir = process.argv[2];
const option = name => {
  const i = process.argv.indexOf(name);
  return i > 2 ? process.argv[i + 1] : undefined;
};
const types = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm'
};

// Pixel colours of the game's drawing and the cockpit's engraving (0xRRGGBB).
const kBrick = 0x3C8CFF, kStrongBrick = 0xFF5A28, kPaddle = 0xFFC828, kBall = 0xFFFFFF, kText = 0x00FF00;
const kEngraving = 0xA9AFB6;  // the paddle's amber also writes PAUSED

function serve() {
  const server = http.createServer((request, response) => {
    let name = path.join(pageDir, path.normalize(decodeURIComponent(request.url.split('?')[0])));
    if (request.url === '/desktop.png') name = option('--desktop');
    const file = name.endsWith(path.sep) ? path.join(name, 'index.html') : name;
    fs.readFile(file, (error, data) => {
      if (error) return response.writeHead(404).end();
      response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'}).end(data);
    });
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The pixels of the page's canvas, or of the picture at `url`, as 0xRRGGBB,
// with the canvas's size and its box on the page.
async function picture(page, url) {
  return page.evaluate(async url => {
    let canvas = document.getElementById('cockpit');
    if (url) {
      const image = new Image();
      image.src = url;
      await image.decode();
      canvas = document.createElement('canvas');
      [canvas.width, canvas.height] = [image.width, image.height];
      canvas.getContext('2d').drawImage(image, 0, 0);
    }
    const data =
        canvas.getContext('2d', {willReadFrequently: true}).getImageData(0, 0, canvas.width, canvas.height).data;
    const pixels = new Array(canvas.width * canvas.height);
    for (let i = 0; i < pixels.length; ++i) pixels[i] = (data[4 * i] << 16) | (data[4 * i + 1] << 8) | data[4 * i + 2];
    const box = canvas.getBoundingClientRect();
    return {
      width: canvas.width,
      height: canvas.height,
      pixels,
      box: {x: box.x, y: box.y, scale: box.width / canvas.width}
    };
  }, url);
}

// Where `colour` lies in columns [x0, x1) of the picture, from row y0 down: how many pixels,
// and their mean column and row.
function find(shot, colour, x0, x1, y0 = 0) {
  let count = 0, sx = 0, sy = 0;
  for (let y = y0; y < shot.height; ++y)
    for (let x = x0; x < x1; ++x)
      if (shot.pixels[y * shot.width + x] === colour) ++count, sx += x, sy += y;
  return {count, x: count ? sx / count : NaN, y: count ? sy / count : NaN};
}

// The ball's centre in columns [x0, x1): its 3 × 3 green core inside white.
function findBall(shot, x0, x1) {
  const at = (x, y) => shot.pixels[y * shot.width + x];
  for (let y = 1; y + 1 < shot.height; ++y)
    for (let x = x0 + 2; x + 2 < x1; ++x) {
      let core = at(x - 2, y) === kBall && at(x + 2, y) === kBall;
      for (let d = 0; d < 9 && core; ++d) core = at(x - 1 + (d % 3), y - 1 + Math.floor(d / 3)) === kText;
      if (core) return {x, y};
    }
  return null;
}

let passes = 0, failures = 0;
function expect(ok, what) {
  console.log((ok ? 'ok    ' : 'FAIL  ') + what);
  ok ? ++passes : ++failures;
}

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));
async function shifted(page, shift, key) {
  await page.keyboard.down(shift);
  await page.keyboard.press(key);
  await page.keyboard.up(shift);
}

(async () => {
  const server = await serve();
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--window-size=1400,900'],
    defaultViewport: {width: 1400, height: 900},
  });
  try {
    const page = await browser.newPage();
    page.on('console', message => console.log('page: ' + message.text()));
    page.on('pageerror', error => console.log('page error: ' + error.message));
    await page.goto(url);
    await page.waitForFunction('window.velbrikFirstFrame !== undefined', {timeout: 20000});

    let shot = await picture(page);
    const half = shot.width / 2;
    const left = [0, half], right = [half, shot.width];
    if (option('--desktop')) {
      const desktop = await picture(page, '/desktop.png');
      // All but the status line, whose keys are the page's own (Esc frees the
      // mouse, and quits nothing): its bar and the margin below, the last rows.
      const kStatusRows = 18 + 4;
      const above = shot.width * (shot.height - kStatusRows);
      const differing = desktop.pixels.filter((p, i) => i < above && p !== shot.pixels[i]).length;
      expect(
          desktop.width === shot.width && desktop.height === shot.height && differing === 0,
          `the first frame is the desktop cockpit's above the status line (${desktop.width} x ${desktop.height}, ${
              differing} pixels differ)`);
    }
    expect(find(shot, kBrick, 0, shot.width).count === 0, 'before a mode is chosen, no display draws bricks');
    expect(find(shot, kEngraving, 0, shot.width).count > 200, 'the bezels and the status line are engraved');

    // Each display's own Shift picks the game on it.
    await shifted(page, 'ShiftLeft', 'KeyN');
    await sleep(200);
    shot = await picture(page);
    expect(
        find(shot, kBrick, ...left).count > 500 && find(shot, kBrick, ...right).count === 0,
        'Left Shift+N starts the game on the left display only');
    await shifted(page, 'ShiftRight', 'KeyN');

    // The pointer travels to the right over the left display: only its paddle follows.
    const at = (x, y) => [shot.box.x + x * shot.box.scale, shot.box.y + y * shot.box.scale];
    await page.mouse.move(...at(half / 2 - 60, shot.height / 2));
    await sleep(200);
    await page.mouse.move(...at(half / 2 + 60, shot.height / 2), {steps: 10});
    await shifted(page, 'ShiftLeft', 'KeyR');
    await sleep(300);
    shot = await picture(page);

    for (const [name, columns] of [['left', left], ['right', right]]) {
      const bricks = find(shot, kBrick, ...columns), strong = find(shot, kStrongBrick, ...columns);
      const paddle = find(shot, kPaddle, ...columns), ball = findBall(shot, ...columns);
      expect(
          bricks.count > 500 && strong.count > 100,
          `${name}: bricks of both kinds (${bricks.count}, ${strong.count} pixels)`);
      expect(
          paddle.count > 30 && paddle.y > shot.height * 0.6,
          `${name}: the paddle at the bottom (row ${paddle.y.toFixed(1)})`);
      expect(ball !== null, `${name}: the ball (at ${ball && ball.x - columns[0]}, ${ball && ball.y})`);
      expect(find(shot, kText, ...columns).count > 20, `${name}: the status line's text`);
    }
    const paddleLeft = find(shot, kPaddle, ...left), paddleRight = find(shot, kPaddle, ...right);
    const ballLeft = findBall(shot, ...left) || {y: NaN}, ballRight = findBall(shot, ...right) || {y: NaN};
    expect(
        paddleLeft.x - left[0] > paddleRight.x - right[0] + 20,
        `the left paddle followed the pointer (at ${(paddleLeft.x - left[0]).toFixed(1)}), ` +
            `the right one stayed (at ${(paddleRight.x - right[0]).toFixed(1)})`);
    expect(
        ballLeft.y < paddleLeft.y - 20 && Math.abs(ballRight.y - paddleRight.y) < 12,
        'Left Shift+R released the left ball; the right one rests on its paddle');

    if (option('--save'))
      fs.writeFileSync(option('--save'), await page.screenshot({
        clip: {x: shot.box.x, y: shot.box.y, width: shot.width * shot.box.scale, height: shot.height * shot.box.scale}
      }));

    // Losing focus pauses: the ball stands still and the status line says so.
    await page.evaluate(() => window.dispatchEvent(new Event('blur')));
    await sleep(100);
    const paused = await picture(page);
    await sleep(200);
    const still = findBall(await picture(page), ...left), before = findBall(paused, ...left);
    expect(
        before && still && before.x === still.x && before.y === still.y &&
            find(paused, kPaddle, 0, paused.width, paused.height - 22).count > 10,
        'losing focus pauses, and the status line says PAUSED');
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${passes} passed, ${failures} failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch(error => {
  console.error(error);
  process.exit(1);
});
