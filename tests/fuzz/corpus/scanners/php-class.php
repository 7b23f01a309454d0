// An order line with its price rules; the markers around it are cut away.
include "config.inc";
require_once 'money.php';

class OrderLine extends Entity
{
    var $quantity = 1;
    var $price = 0.0;
    static $taxRate = 19.5;

    function OrderLine($item, $quantity = 1)
    {
        $this->item = $item;
        $this->quantity = (int) $quantity;
        if (!isset($item['price']) || $item['price'] < 0) {
            die("no price for " . $item['name']);
        }
        $this->price = $item['price'];
    }

    function total()
    {
        $sum = $this->price * $this->quantity;
        $sum += $sum * OrderLine::$taxRate / 100;
        return round($sum, 2);
    }

    function describe()
    {
        switch ($this->quantity) {
            case 0: return 'nothing';
            case 1: return 'one ' . $this->item['name'];
            default: return "{$this->quantity} x {$this->item['name']}";
        }
    }
}

$lines = array(new OrderLine(array('name' => 'Pen', 'price' => 1.25), 3));
foreach ($lines as $i => $line) {
    echo $i, ': ', $line->describe(), "\n";
}
